#include "app/pages/DataPage.h"

#include "app/UiSupport.h"
#include "app/UpdateSources.h"
#include "app/dialogs/AddDrawDialog.h"
#include "app/dialogs/DataSourcesDialog.h"
#include "app/platform/Platform.h"
#include "core/code/Code.h"
#include "core/draw/AppPaths.h"
#include "core/draw/BuiltInHistory.h"
#include "core/io/TextFile.h"
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"
#include "core/draw/HistorySource.h"

#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace velmora {

namespace {

QString downloadFailedText() { return QStringLiteral("Velmora在线更新开奖数据 失败!"); }

// The editor keeps lines joined by '\n'; files hold CR LF.
QString editorText(const std::string& fileText)
{
    QString text = toQString(fileText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// The editor gives back exactly the text it was given unless the text holds one of
// the characters its document turns into a line break or a blank (or cannot hold).
bool editorKeepsText(const QString& text)
{
    static constexpr char16_t kChanged[] = { u'\0', u'\r', 0x00A0, 0x2028, 0x2029, 0xFDD0, 0xFDD1, 0xFFFC };
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        return std::find(std::begin(kChanged), std::end(kChanged), c.unicode()) != std::end(kChanged);
    });
}

// A message of the core (lines joined by CR LF) as a message box shows it.
QString messageText(const std::string& message) { return editorText(message); }

bool isWebUrl(const QUrl& url)
{
    return url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

} // namespace

DataPage::DataPage(Platform& platform, const QString& dataFile, int downloadTimeoutMs, QWidget* parent)
    : Page(platform, parent)
    , m_dataFileName(dataFile)
    , m_downloadTimeoutMs(downloadTimeoutMs)
{
    setObjectName(QStringLiteral("dataPage"));
    QVBoxLayout* layout = makeWorkPageLayout();
    addToolBarCommand(QStringLiteral("在线更新"), [this] { downloadDraws(); });
    toolBar()->addSeparator();
    addToolBarCommand(QStringLiteral("清空数据"), [this] { clearDraws(); });
    addToolBarCommand(QStringLiteral("导入数据"), [this] { importDraws(); });
    addToolBarCommand(QStringLiteral("保存数据"), [this] {
        saveDraws();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    toolBar()->addSeparator();
    addToolBarCommand(QStringLiteral("添加开奖"), [this] { addDraw(); });

    m_editor = new QPlainTextEdit(this);
    m_editor->setObjectName(QStringLiteral("drawEditor"));
    m_editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Draw lines hold no tabs: Tab leaves the editor for the tool bar.
    m_editor->setTabChangesFocus(true);
    // The caret position is shown after each key and click in the editor, and
    // whenever the caret moves while the page is in front (the text replaced by an
    // import or an update, a draw added).
    m_editor->installEventFilter(this);
    m_editor->viewport()->installEventFilter(this);
    connect(m_editor, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (isVisible())
            showCaret();
    });
    layout->addWidget(m_editor);
}

QString DataPage::drawText() const { return m_editorPending ? m_savedText : m_editor->toPlainText(); }

void DataPage::setDrawText(const QString& text)
{
    setEditorText(text);
    showNewestDraw();
    rebuildHistory();
}

void DataPage::setEditorText(const QString& text)
{
    m_editorPending = false;
    m_editor->setPlainText(text);
}

void DataPage::showNewestDraw()
{
    m_editor->moveCursor(QTextCursor::End);
    // A hidden editor has no size to scroll in yet: it scrolls when first shown.
    if (isVisible())
        m_editor->ensureCursorVisible();
    else
        m_caretToBeShown = true;
}

bool DataPage::hasUnsavedChanges() const { return drawText() != m_savedText; }

std::vector<std::string> DataPage::editorLines() const { return splitLines(toStdString(drawText())); }

void DataPage::loadDataFile()
{
    // No data file yet is a first run, not a fault.
    if (!QFileInfo::exists(m_dataFileName) && !QFileInfo(m_dataFileName).isSymLink()) {
        loadBuiltInHistory();
        return;
    }
    // Runs before the event loop: no error may leave here, whatever its kind.
    std::string text;
    try {
        text = readTextFile(toStdString(m_dataFileName));
    } catch (const std::exception& error) {
        m_dataFileUnreadable = true;
        platform().showMessage(this, toQString(error.what()));
    }
    if (!text.empty()) {
        // Filling the editor with a long history costs more start-up time than
        // anything else the window does, and the page is not on screen at start:
        // the text goes in when the page is first shown.
        m_savedText = editorText(text);
        m_editorPending = editorKeepsText(m_savedText);
        if (!m_editorPending) {
            m_editor->setPlainText(m_savedText);
            m_savedText = m_editor->toPlainText();
        }
    }
    showNewestDraw();
    rebuildHistory();
}

void DataPage::loadBuiltInHistory()
{
    const std::string_view builtIn = builtInHistoryText();
    setEditorText(editorText(std::string(builtIn)));
    rebuildHistory();
    // Runs before the event loop: no error may leave here. A file that cannot be
    // written leaves the text unsaved, so closing asks about it.
    try {
        createDataFolder(toStdString(m_dataFileName));
        writeTextFile(toStdString(m_dataFileName), builtIn);
        m_savedText = m_editor->toPlainText();
    } catch (const std::exception& error) {
        platform().showMessage(this, toQString(error.what()));
    }
    if (m_history.empty())
        return;
    const DrawRecord& latest = m_history.back();
    emit statusTextChanged(
        QStringLiteral("已载入内置开奖数据：共%1期，最新一期%2")
            .arg(m_history.size())
            .arg(toQString(zeroPadded(latest.year, 4) + zeroPadded(latest.issue, 3))));
}

bool DataPage::saveDataFile()
{
    if (m_dataFileUnreadable
        && !platform().confirm(this,
            QStringLiteral("启动时无法读取数据文件 %1。\n"
                           "保存将用编辑器中的内容替换它，确定要保存吗？")
                .arg(m_dataFileName)))
        return false;
    const QString text = drawText();
    // Also runs from the window's close event: no error may leave here.
    try {
        createDataFolder(toStdString(m_dataFileName));
        writeTextFile(toStdString(m_dataFileName), toStdString(text));
    } catch (const std::exception& error) {
        platform().showMessage(this, toQString(error.what()));
        return false;
    }
    m_dataFileUnreadable = false;
    m_savedText = text;
    emit statusTextChanged(QStringLiteral("保存文档完毕"));
    return true;
}

void DataPage::rebuildHistory()
{
    parseDrawHistory(splitLines(toStdString(drawText())), m_history,
        [this](const std::string& message) { platform().showMessage(this, toQString(message)); });
    emit historyChanged();
}

void DataPage::clearDraws()
{
    m_editorPending = false;
    m_editor->clear();
    rebuildHistory();
}

void DataPage::importDraws()
{
    const QString path = platform().openFileName(this, QStringLiteral("文本文件|*.txt"), QString());
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    // Read completely first: a file that cannot be read leaves the editor as it was.
    const std::string text = readTextFile(toStdString(path));
    enum { Merge, Replace, Cancel };
    const int choice = platform().choose(this,
        QStringLiteral("要把导入的开奖数据合并到现有数据中，还是用它替换现有数据？\n"
                       "合并：补上缺少的各期，更正开奖号不同的各期，现有各行都保留。\n"
                       "替换：编辑器中的内容全部换成导入的文件。"),
        { QStringLiteral("合并"), QStringLiteral("替换"), QStringLiteral("取消") });
    if (choice == Replace) {
        setDrawText(editorText(text));
        return;
    }
    if (choice != Merge)
        return;
    const SourceHistory source = readSourceHistory(
        text, [this](const std::string& message) { platform().showMessage(this, toQString(message)); });
    if (source.status == SourceStatus::BadLines)
        return;
    if (source.status == SourceStatus::NoDraws) {
        platform().showMessage(this, QStringLiteral("文件中没有开奖数据：") + path);
        return;
    }
    const MergeResult result = mergeHistory(editorLines(), source.lines);
    QString message = toQString(mergeCountsText(result));
    for (const DrawCorrection& correction : result.corrections)
        message += QLatin1Char('\n') + toQString(correctionText(correction));
    // Like a replacing import, the merge changes the editor, not the file.
    if (result.changed())
        setDrawText(editorText(drawTextOf(result.lines)));
    platform().showMessage(this, message);
}

void DataPage::saveDraws()
{
    if (saveDataFile())
        rebuildHistory();
}

void DataPage::downloadDraws()
{
    const QList<QUrl> sources = updateSourceUrls(platform());
    if (sources.isEmpty()) {
        platform().showMessage(this,
            QStringLiteral("没有设置开奖数据的更新地址。\n请在“数据源设置”中添加至少一个地址，再在线更新。"));
        editDataSources();
        return;
    }
    // The first source that gives a history wins; each failure passes to the next.
    std::vector<std::string> sourceLines;
    bool found = false;
    for (const QUrl& url : sources) {
        bool stop = false;
        found = fetchSource(url, sourceLines, stop);
        if (stop)
            return;
        if (found)
            break;
    }
    if (!found) {
        platform().showMessage(this, downloadFailedText());
        return;
    }
    const MergeResult result = mergeHistory(editorLines(), sourceLines);
    platform().showMessage(this, messageText(updateMessage(result)));
    if (!result.changed())
        return;
    setEditorText(editorText(drawTextOf(result.lines)));
    showNewestDraw();
    // Parsed even when the save fails or is declined, so that the pages show what the
    // editor holds; closing then asks about the unsaved text.
    saveDataFile();
    rebuildHistory();
}

bool DataPage::fetchSource(const QUrl& url, std::vector<std::string>& lines, bool& stop)
{
    const QString tmpPath = toQString(downloadFilePath(toStdString(m_dataFileName)));
    if (QFileInfo::exists(tmpPath) || QFileInfo(tmpPath).isSymLink())
        QFile::remove(tmpPath);
    if (!isWebUrl(url) || !platform().download(this, url, tmpPath, m_downloadTimeoutMs))
        return false;
    // The whole text is read before anything changes.
    std::string text;
    try {
        text = readTextFile(toStdString(tmpPath));
    } catch (const FileError&) {
        return false;
    }
    SourceHistory source = readSourceHistory(
        text, [this](const std::string& message) { platform().showMessage(this, toQString(message)); });
    // Bad lines are the source's answer, not a failure to reach it: nothing is merged.
    stop = source.status == SourceStatus::BadLines;
    if (source.status != SourceStatus::Ok)
        return false;
    lines = std::move(source.lines);
    return true;
}

void DataPage::editDataSources()
{
    DataSourcesDialog dialog(platform(), this);
    dialog.setDownloadTimeout(m_downloadTimeoutMs);
    platform().runDialog(dialog);
}

void DataPage::addDraw()
{
    std::vector<std::string> lines = editorLines();
    AddDrawDialog dialog(platform(), lines, this);
    if (platform().runDialog(dialog) != QDialog::Accepted)
        return;
    addDrawLine(lines, dialog.drawLine());
    setEditorText(editorText(drawTextOf(lines)));
    saveDataFile();
    rebuildHistory();
}

void DataPage::showCaret()
{
    const QTextCursor cursor = m_editor->textCursor();
    emit statusTextChanged(
        QStringLiteral("第%1行%2列").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

void DataPage::showEvent(QShowEvent* event)
{
    if (m_editorPending) {
        m_editorPending = false;
        m_editor->setPlainText(m_savedText);
        m_editor->moveCursor(QTextCursor::End);
        m_caretToBeShown = true;
    }
    Page::showEvent(event);
    // A hidden editor had no size to scroll in: it scrolls to the caret now.
    if (m_caretToBeShown) {
        m_caretToBeShown = false;
        m_editor->ensureCursorVisible();
    }
}

bool DataPage::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::KeyRelease && watched == m_editor && m_editor->hasFocus())
        || (event->type() == QEvent::MouseButtonRelease && watched == m_editor->viewport()))
        showCaret();
    return Page::eventFilter(watched, event);
}

} // namespace velmora
