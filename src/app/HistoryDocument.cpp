#include "app/HistoryDocument.h"

#include "app/UiSupport.h"
#include "core/code/Code.h"
#include "core/draw/AppPaths.h"
#include "core/draw/BuiltInHistory.h"
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"
#include "core/io/TextFile.h"

#include <QFileInfo>
#include <QPlainTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>
#include <iterator>

namespace velmora {

namespace {

// The editor's document gives back exactly the text it was given unless the text
// holds one of the characters it turns into a line break or a blank (or cannot hold).
bool editorKeepsText(const QString& text)
{
    static constexpr char16_t kChanged[] = { u'\0', u'\r', 0x00A0, 0x2028, 0x2029, 0xFDD0, 0xFDD1, 0xFFFC };
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        return std::find(std::begin(kChanged), std::end(kChanged), c.unicode()) != std::end(kChanged);
    });
}

// Each line followed by '\n', as the editor holds a text read from a file.
QString joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return toQString(text);
}

} // namespace

HistoryDocument::HistoryDocument(const QString& filePath, QObject* parent)
    : QObject(parent)
    , m_filePath(filePath)
    , m_document(new QTextDocument(this))
{
    setObjectName(QStringLiteral("historyDocument"));
    m_document->setDocumentLayout(new QPlainTextDocumentLayout(m_document));
}

QString HistoryDocument::text() const { return m_filled ? m_document->toPlainText() : m_pendingText; }

std::vector<std::string> HistoryDocument::lines() const { return splitLines(toStdString(text())); }

bool HistoryDocument::isModified() const { return text() != m_savedText; }

QTextDocument* HistoryDocument::textDocument()
{
    if (!m_filled) {
        m_filled = true;
        m_document->setPlainText(m_pendingText);
        m_pendingText.clear();
    }
    return m_document;
}

void HistoryDocument::putText(const QString& text)
{
    if (m_filled) {
        m_document->setPlainText(text);
        return;
    }
    m_pendingText = text;
    // A text the document would change goes in now, so that what is parsed and
    // compared with the file is what the editor will show.
    if (!editorKeepsText(text))
        textDocument();
}

QString HistoryDocument::load()
{
    // No file yet is a first run, not a fault.
    if (!QFileInfo::exists(m_filePath) && !QFileInfo(m_filePath).isSymLink())
        return loadBuiltIn();
    // Runs before the event loop: no error may leave here, whatever its kind.
    std::string fileText;
    try {
        fileText = readTextFile(toStdString(m_filePath));
    } catch (const std::exception& error) {
        m_fileUnreadable = true;
        emit problem(toQString(error.what()));
    }
    if (!fileText.empty()) {
        putText(toUiText(fileText));
        m_savedText = text();
    }
    emit textReplaced();
    parse();
    return {};
}

QString HistoryDocument::loadBuiltIn()
{
    const std::string_view builtIn = builtInHistoryText();
    putText(toUiText(std::string(builtIn)));
    emit textReplaced();
    parse();
    // Runs before the event loop: no error may leave here. A file that cannot be
    // written leaves the text unsaved, so closing asks about it.
    try {
        createDataFolder(toStdString(m_filePath));
        writeTextFile(toStdString(m_filePath), builtIn);
        m_savedText = text();
    } catch (const std::exception& error) {
        emit problem(toQString(error.what()));
    }
    if (m_records.empty())
        return {};
    const DrawRecord& latest = m_records.back();
    return QStringLiteral("已载入内置开奖数据：共%1期，最新一期%2")
        .arg(m_records.size())
        .arg(toQString(zeroPadded(latest.year, 4) + zeroPadded(latest.issue, 3)));
}

bool HistoryDocument::save()
{
    const QString text = this->text();
    // Also runs from the window's close event: no error may leave here.
    try {
        createDataFolder(toStdString(m_filePath));
        writeTextFile(toStdString(m_filePath), toStdString(text));
    } catch (const std::exception& error) {
        emit problem(toQString(error.what()));
        return false;
    }
    m_fileUnreadable = false;
    m_savedText = text;
    return true;
}

void HistoryDocument::parse() { parseLines(lines()); }

void HistoryDocument::parseLines(const std::vector<std::string>& lines)
{
    DrawHistory parsed;
    if (!parseDrawHistory(
            lines, parsed, [this](const std::string& message) { emit problem(toUiText(message)); }))
        return;
    if (parsed == m_records)
        return;
    m_records = std::move(parsed);
    ++m_revision;
    emit changed();
}

void HistoryDocument::setText(const QString& text)
{
    putText(text);
    emit textReplaced();
    parse();
}

void HistoryDocument::replaceLines(const std::vector<std::string>& lines)
{
    const QString text = joinLines(lines);
    putText(text);
    emit textReplaced();
    // A line the editor would break (a blank ignored item holding U+2028, say) is
    // parsed as the editor holds it.
    if (editorKeepsText(text))
        parseLines(lines);
    else
        parse();
}

MergeResult HistoryDocument::merge(const std::vector<std::string>& sourceLines)
{
    MergeResult result = mergeHistory(lines(), sourceLines);
    if (result.changed())
        replaceLines(result.lines);
    return result;
}

void HistoryDocument::addDraw(const std::string& line)
{
    std::vector<std::string> all = lines();
    addDrawLine(all, line);
    replaceLines(all);
}

} // namespace velmora
