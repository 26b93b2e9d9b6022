#include "app/HistoryDocument.h"

#include "app/UiSupport.h"
#include "core/code/Code.h"
#include "core/draw/AppPaths.h"
#include "core/draw/Backups.h"
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"
#include "core/game/Game.h"
#include "core/io/TextFile.h"

#include <QFileInfo>
#include <QPlainTextDocumentLayout>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <unordered_set>

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

// The last line of after that before does not hold (a draw added or corrected); -1
// when there is none.
int lastNewLine(const std::vector<std::string>& before, const std::vector<std::string>& after)
{
    const std::unordered_set<std::string> old(before.begin(), before.end());
    for (std::size_t i = after.size(); i-- > 0;) {
        if (old.count(after[i]) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// Pause in typing after which the text is looked through for bad lines again.
constexpr int kRecheckDelayMs = 400;

} // namespace

QString badLinesStatusText(const std::vector<int>& lines)
{
    constexpr std::size_t kListed = 10;
    QStringList numbers;
    for (std::size_t i = 0; i < std::min(lines.size(), kListed); ++i)
        numbers << QString::number(lines[i] + 1);
    return QStringLiteral("数据有%1行错误，分析暂停：第%2行%3")
        .arg(lines.size())
        .arg(numbers.join(QStringLiteral("、")), lines.size() > kListed ? QStringLiteral("等") : QString());
}

HistoryDocument::HistoryDocument(const Game& game, const QString& filePath, QObject* parent)
    : QObject(parent)
    , m_game(game)
    , m_filePath(filePath)
    , m_document(new QTextDocument(this))
    , m_recheck(new QTimer(this))
{
    setObjectName(QStringLiteral("historyDocument"));
    m_document->setDocumentLayout(new QPlainTextDocumentLayout(m_document));
    m_recheck->setSingleShot(true);
    m_recheck->setInterval(kRecheckDelayMs);
    connect(m_document, &QTextDocument::contentsChanged, this, [this] {
        m_drawCount = -1;
        m_lines.reset();
        m_recheck->start();
    });
    connect(m_recheck, &QTimer::timeout, this, [this] {
        ParsedHistory parsed = parseDrawHistory(m_game, lines());
        setBadLines(std::move(parsed.badLines));
        // The pages follow the editor whenever it holds draws only: an undo, a mended line.
        if (parsed.ok())
            adoptHistory(std::move(parsed.history));
    });
}

QString HistoryDocument::text() const { return m_filled ? m_document->toPlainText() : m_pendingText; }

const std::vector<std::string>& HistoryDocument::lines() const
{
    if (!m_lines)
        m_lines = splitLines(toStdString(text()));
    return *m_lines;
}

bool HistoryDocument::isModified() const { return text() != m_savedText; }

int HistoryDocument::drawCount() const
{
    if (m_drawCount < 0) {
        const std::vector<std::string>& all = lines();
        m_drawCount = static_cast<int>(all.size() - parseDrawHistory(m_game, all).badLines.size());
    }
    return m_drawCount;
}

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
    m_drawCount = -1;
    m_lines.reset();
    if (m_filled) {
        // Only the part between what the old and the new text share at their start
        // and end is replaced: one undo step, and the editor lays out only that.
        const QString old = m_document->toPlainText();
        const qsizetype shorter = std::min(old.size(), text.size());
        qsizetype head = 0;
        while (head < shorter && old[head] == text[head])
            ++head;
        qsizetype tail = 0;
        while (tail < shorter - head && old[old.size() - 1 - tail] == text[text.size() - 1 - tail])
            ++tail;
        if (head == old.size() && old.size() == text.size())
            return;
        // Never between the halves of a character outside the BMP.
        if (head > 0 && text[head - 1].isHighSurrogate())
            --head;
        if (tail > 0 && text[text.size() - tail].isLowSurrogate())
            --tail;
        QTextCursor cursor(m_document);
        cursor.setPosition(static_cast<int>(head));
        cursor.setPosition(static_cast<int>(old.size() - tail), QTextCursor::KeepAnchor);
        cursor.insertText(text.mid(head, text.size() - head - tail));
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
        fileText = readDataFile(toStdString(m_filePath));
    } catch (const std::exception& error) {
        m_fileUnreadable = true;
        emit problem(toQString(error.what()));
    }
    if (!fileText.empty()) {
        putText(toUiText(fileText));
        m_savedText = text();
    }
    emit textReplaced(-1);
    const int draws = parse();
    if (!fileText.empty())
        m_fileDraws = draws;
    return {};
}

QString HistoryDocument::loadBuiltIn()
{
    const std::string_view builtIn = m_game.builtInHistory();
    putText(toUiText(std::string(builtIn)));
    emit textReplaced(-1);
    parse();
    // Runs before the event loop: no error may leave here. A file that cannot be
    // written leaves the text unsaved, so closing asks about it.
    try {
        createDataFolder(toStdString(m_filePath));
        saveDataFile(m_game, toStdString(m_filePath), builtIn, currentBackupTime());
        m_savedText = text();
        m_fileDraws = static_cast<int>(m_records.size());
    } catch (const std::exception& error) {
        emit problem(toQString(error.what()));
    }
    if (m_records.empty())
        return {};
    const DrawRecord& latest = m_records.back();
    return QStringLiteral("已载入内置开奖数据：共%1期，最新一期%2")
        .arg(m_records.size())
        .arg(toQString(latest.issueText()));
}

bool HistoryDocument::save()
{
    const QString text = this->text();
    // Also runs from the window's close event: no error may leave here.
    try {
        createDataFolder(toStdString(m_filePath));
        // A file that could not be read cannot be kept as a backup either: the
        // user has agreed to replace it.
        if (m_fileUnreadable)
            writeTextFile(toStdString(m_filePath), toStdString(text));
        else
            saveDataFile(m_game, toStdString(m_filePath), toStdString(text), currentBackupTime());
    } catch (const std::exception& error) {
        emit problem(toQString(error.what()));
        return false;
    }
    m_fileUnreadable = false;
    m_savedText = text;
    m_fileDraws = drawCount();
    return true;
}

int HistoryDocument::parse()
{
    // A copy: the parse signals readers, which may change the text and so the lines.
    const std::vector<std::string> all = lines();
    return parseLines(all);
}

int HistoryDocument::parseLines(const std::vector<std::string>& lines)
{
    ParsedHistory parsed = parseDrawHistory(m_game, lines);
    const int draws = static_cast<int>(lines.size() - parsed.badLines.size());
    m_drawCount = draws;
    setBadLines(std::move(parsed.badLines));
    m_lines = lines;
    if (!parsed.ok()) {
        // The records stay as they were.
        emit badLinesFound(toUiText(parsed.badLinesMessage));
        return draws;
    }
    adoptHistory(std::move(parsed.history));
    return draws;
}

void HistoryDocument::adoptHistory(DrawHistory history)
{
    if (history == m_records)
        return;
    m_changedDraws = changedDrawsOf(m_records, history);
    m_records = std::move(history);
    ++m_revision;
    emit changed();
}

HistoryDocument::Checkpoint HistoryDocument::checkpoint() const
{
    return { text(), m_records, m_filled ? m_document->availableUndoSteps() : 0 };
}

void HistoryDocument::revert(const Checkpoint& point)
{
    if (m_filled) {
        while (m_document->availableUndoSteps() > point.undoSteps && m_document->isUndoAvailable())
            m_document->undo();
    }
    // Steps the editor merged, or a text it did not hold yet.
    if (text() != point.text)
        putText(point.text);
    m_drawCount = -1;
    m_lines.reset();
    emit textReplaced(-1);
    setBadLines(parseDrawHistory(m_game, lines()).badLines);
    adoptHistory(point.records);
}

void HistoryDocument::setBadLines(std::vector<int> lines)
{
    if (lines == m_badLines)
        return;
    m_badLines = std::move(lines);
    emit badLinesChanged();
}

void HistoryDocument::setText(const QString& text)
{
    putText(text);
    emit textReplaced(-1);
    // The text the editor holds now is this one, unless it held characters the
    // editor changes.
    if (editorKeepsText(text))
        parseLines(splitLines(toStdString(text)));
    else
        parse();
}

void HistoryDocument::replaceLines(const std::vector<std::string>& lines, int shownLine)
{
    const QString text = joinLines(lines);
    putText(text);
    emit textReplaced(shownLine);
    // A line the editor would break (a blank ignored item holding U+2028, say) is
    // parsed as the editor holds it.
    if (editorKeepsText(text))
        parseLines(lines);
    else
        parse();
}

MergeResult HistoryDocument::merge(const std::vector<std::string>& sourceLines)
{
    const std::vector<std::string> before = lines();
    MergeResult result = mergeHistory(m_game, before, sourceLines);
    if (result.changed())
        replaceLines(result.lines, lastNewLine(before, result.lines));
    return result;
}

void HistoryDocument::addDraw(const std::string& line)
{
    std::vector<std::string> all = lines();
    const std::size_t before = all.size();
    addDrawLine(m_game, all, line);
    const std::optional<DrawRecord> record = parseDrawLine(m_game, line);
    const std::ptrdiff_t found = record ? findDrawLine(m_game, all, record->year, record->issue) : -1;
    const int at = found >= 0 ? static_cast<int>(found) : static_cast<int>(all.size()) - 1;
    if (!m_filled || !editorKeepsText(toQString(line))) {
        replaceLines(all, at);
        return;
    }
    // One line in or one line changed: the editor keeps the rest as it is.
    QTextCursor cursor(m_document);
    const QTextBlock block = m_document->findBlockByNumber(at);
    if (all.size() == before) {
        cursor.setPosition(block.position());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(toQString(line));
    } else if (block.isValid()) {
        cursor.setPosition(block.position());
        cursor.insertText(toQString(line) + QLatin1Char('\n'));
    } else {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QLatin1Char('\n') + toQString(line));
    }
    emit textReplaced(at);
    parseLines(all);
}

} // namespace velmora
