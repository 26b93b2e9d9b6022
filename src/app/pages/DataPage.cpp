#include "app/pages/DataPage.h"

#include "app/HistoryDocument.h"
#include "app/UiSupport.h"
#include "app/UpdateSources.h"
#include "app/dialogs/AddDrawDialog.h"
#include "app/dialogs/BackupsDialog.h"
#include "app/dialogs/DataSourcesDialog.h"
#include "app/platform/Platform.h"
#include "core/draw/Backups.h"
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"
#include "core/draw/HistorySource.h"
#include "core/io/TextFile.h"

#include <QAbstractTextDocumentLayout>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

const QColor kBadLineBackground(255, 214, 214);
// Marking more lines than this would cost more than it tells.
constexpr std::size_t kMarkedBadLines = 2000;

} // namespace

DataPage::DataPage(Platform& platform, HistoryDocument& document, int downloadTimeoutMs, QWidget* parent)
    : Page(platform, parent)
    , m_document(&document)
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

    followDocument();
}

void DataPage::followDocument()
{
    connect(m_document, &HistoryDocument::problem, this,
        [this](const QString& text) { Page::platform().showWarning(this, text); });
    connect(m_document, &HistoryDocument::badLinesFound, this, &DataPage::offerFirstBadLine);
    connect(m_document, &HistoryDocument::badLinesChanged, this, &DataPage::markBadLines);
    connect(m_document, &HistoryDocument::textReplaced, this, &DataPage::placeCaret);
}

void DataPage::setDocument(HistoryDocument& document)
{
    if (&document == m_document)
        return;
    disconnect(m_document, nullptr, this, nullptr);
    m_document = &document;
    followDocument();
    if (m_attached)
        attachEditor();
}

void DataPage::attachEditor()
{
    // Set up as the editor sets up a document of its own.
    QTextDocument* text = m_document->textDocument();
    text->setDefaultFont(m_editor->font());
    text->documentLayout()->setPaintDevice(m_editor->viewport());
    m_editor->setDocument(text);
    markBadLines();
    placeCaret(-1);
}

void DataPage::placeCaret(int line)
{
    // The editor takes the document's text on the first show.
    if (!m_attached) {
        m_caretLine = line;
        return;
    }
    const QTextBlock block = m_editor->document()->findBlockByNumber(line);
    QTextCursor cursor(m_editor->document());
    if (line >= 0 && block.isValid())
        cursor.setPosition(block.position());
    else
        cursor.movePosition(QTextCursor::End);
    m_editor->setTextCursor(cursor);
    // A hidden editor has no size to scroll in yet: it scrolls when shown.
    if (isVisible()) {
        m_editor->ensureCursorVisible();
        showCaret();
    } else {
        m_caretToBeShown = true;
    }
}

QString DataPage::saveQuestion() const
{
    if (m_document->fileWasUnreadable())
        return QStringLiteral("启动时无法读取数据文件 %1。\n"
                              "保存将用编辑器中的内容替换它，确定要保存吗？")
            .arg(m_document->filePath());
    // A text that lost most of the file's draws is saved only when the user says so.
    const int inFile = m_document->fileDrawCount();
    const int inText = m_document->drawCount();
    if (inFile > 0 && inText * 2 < inFile)
        return QStringLiteral("将保存%1期，文件中现有%2期。确定保存吗？").arg(inText).arg(inFile);
    return {};
}

DataPage::SaveOutcome DataPage::saveText()
{
    if (const QString question = saveQuestion(); !question.isEmpty() && !platform().confirm(this, question))
        return SaveOutcome::Declined;
    return m_document->save() ? SaveOutcome::Saved : SaveOutcome::Failed;
}

void DataPage::showSaved()
{
    const std::size_t bad = m_document->badLines().size();
    emit statusTextChanged(
        bad == 0 ? QStringLiteral("保存文档完毕") : QStringLiteral("已保存，但有%1行错误").arg(bad));
}

bool DataPage::saveDataFile()
{
    if (saveText() != SaveOutcome::Saved)
        return false;
    showSaved();
    return true;
}

DataPage::SaveOutcome DataPage::saveCommand(const HistoryDocument::Checkpoint& before)
{
    const SaveOutcome outcome = saveText();
    if (outcome == SaveOutcome::Saved)
        showSaved();
    if (outcome == SaveOutcome::Declined) {
        m_document->revert(before);
        emit statusTextChanged(QStringLiteral("未保存，开奖数据保持原样"));
    }
    return outcome;
}

void DataPage::clearDraws()
{
    if (platform().confirm(
            this, QStringLiteral("确定要清空编辑器中的全部开奖数据吗？\n（可以用 Ctrl+Z 撤销）")))
        m_document->setText(QString());
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
        m_document->setText(toUiText(text));
        return;
    }
    if (choice != Merge)
        return;
    const SourceHistory source = readSourceHistory(m_document->game(), text,
        [this](const std::string& message) { platform().showWarning(this, toUiText(message)); });
    if (source.status == SourceStatus::BadLines)
        return;
    if (source.status == SourceStatus::NoDraws) {
        platform().showWarning(this, QStringLiteral("文件中没有开奖数据：") + path);
        return;
    }
    // Like a replacing import, the merge changes the text, not the file.
    const MergeResult result = m_document->merge(source.lines);
    QString message = toQString(mergeCountsText(result));
    for (const DrawCorrection& correction : result.corrections)
        message += QLatin1Char('\n') + toQString(correctionText(m_document->game(), correction));
    platform().showMessage(this, message);
    if (result.changed())
        emit statusTextChanged(QStringLiteral("已合并，尚未保存"));
}

void DataPage::saveDraws()
{
    // The text is parsed after it is written, so its bad lines are known only then.
    if (saveText() != SaveOutcome::Saved)
        return;
    m_document->parse();
    showSaved();
}

void DataPage::downloadDraws()
{
    const UpdateFetch fetched
        = fetchUpdate(platform(), this, m_document->game(), m_document->filePath(), m_downloadTimeoutMs);
    if (fetched.editSources)
        editDataSources();
    if (!fetched.lines)
        return;
    // A failed save leaves the merged text parsed, so that the pages show what the
    // editor holds and closing asks about it; a declined one takes the merge back.
    const HistoryDocument::Checkpoint before = m_document->checkpoint();
    const MergeResult result = m_document->merge(*fetched.lines);
    // Success is told only once it is saved.
    if (result.changed()) {
        const SaveOutcome outcome = saveCommand(before);
        if (outcome == SaveOutcome::Failed)
            emit statusTextChanged(QStringLiteral("已合并，尚未保存"));
        if (outcome != SaveOutcome::Saved)
            return;
    }
    if (result.changed())
        emit updated();
    platform().showMessage(this, toUiText(updateMessage(m_document->game(), result)));
}

UpdateOutcome DataPage::updateQuietly(QString& told)
{
    // Neither the user's unsaved lines nor bad ones are saved unasked.
    if (!m_document->badLines().empty()) {
        told = QStringLiteral("开奖数据有错误，请先修正（F7）");
        return UpdateOutcome::Failed;
    }
    if (m_document->isModified()) {
        told = QStringLiteral("开奖数据有尚未保存的修改");
        return UpdateOutcome::Failed;
    }
    const UpdateFetch fetched = fetchUpdateQuietly(
        platform(), this, m_document->game(), m_document->filePath(), m_downloadTimeoutMs);
    if (!fetched.lines) {
        told = fetched.failure;
        return UpdateOutcome::Failed;
    }
    const HistoryDocument::Checkpoint before = m_document->checkpoint();
    const MergeResult result = m_document->merge(*fetched.lines);
    if (!result.changed()) {
        told = toUiText(updateMessage(m_document->game(), result));
        return UpdateOutcome::NothingNew;
    }
    const QString question = saveQuestion();
    if (!question.isEmpty()) {
        m_document->revert(before);
        told = QStringLiteral("保存前需要确认（%1），未保存；请用“在线更新”（F3）")
                   .arg(question.section(QStringLiteral("。"), 0, 0));
        return UpdateOutcome::Failed;
    }
    if (!m_document->save()) {
        told = QStringLiteral("保存失败，已合并，尚未保存");
        return UpdateOutcome::Failed;
    }
    emit updated();
    told = toUiText(updateMessage(m_document->game(), result))
               .replace(QLatin1Char('\n'), QStringLiteral("；"));
    return UpdateOutcome::NewDraws;
}

void DataPage::editDataSources()
{
    DataSourcesDialog dialog(platform(), m_document->game(), this);
    dialog.setDownloadTimeout(m_downloadTimeoutMs);
    platform().runDialog(dialog);
}

void DataPage::addDraw()
{
    AddDrawDialog dialog(platform(), m_document->game(), m_document->lines(), this);
    if (platform().runDialog(dialog) != QDialog::Accepted)
        return;
    const HistoryDocument::Checkpoint before = m_document->checkpoint();
    m_document->addDraw(dialog.drawLine());
    saveCommand(before);
}

void DataPage::restoreBackup()
{
    std::vector<BackupInfo> backups = listBackups(m_document->game(), toStdString(m_document->filePath()));
    if (backups.empty()) {
        platform().showMessage(
            this, QStringLiteral("还没有备份：每次保存开奖数据时，原来的文件会留作备份。"));
        return;
    }
    BackupsDialog dialog(std::move(backups), this);
    if (platform().runDialog(dialog) != QDialog::Accepted)
        return;
    const BackupInfo chosen = dialog.chosen();
    // Read completely first: a backup that cannot be read changes nothing.
    const QString text = toUiText(readTextFile(chosen.path));
    const HistoryDocument::Checkpoint before = m_document->checkpoint();
    m_document->setText(text);
    if (saveCommand(before) == SaveOutcome::Saved)
        emit statusTextChanged(QStringLiteral("已恢复备份 %1").arg(toQString(backupTimeText(chosen.time))));
}

void DataPage::offerFirstBadLine(const QString& message)
{
    enum { Jump, Close };
    if (platform().chooseOnWarning(
            this, message, { QStringLiteral("跳到第一处错误"), QStringLiteral("关闭") })
        != Jump)
        return;
    emit showRequested();
    if (!m_document->badLines().empty())
        showBadLine(m_document->badLines().front());
}

void DataPage::showNextBadLine()
{
    const std::vector<int>& bad = m_document->badLines();
    if (bad.empty()) {
        emit statusTextChanged(QStringLiteral("数据没有错误行"));
        return;
    }
    const int current = m_attached ? m_editor->textCursor().blockNumber() : -1;
    const auto next = std::upper_bound(bad.begin(), bad.end(), current);
    showBadLine(next != bad.end() ? *next : bad.front());
}

void DataPage::showBadLine(int line)
{
    placeCaret(line);
    m_badLineToShow = line;
    if (isVisible())
        finishShowingBadLine();
}

void DataPage::finishShowingBadLine()
{
    const int line = m_badLineToShow;
    m_badLineToShow = -1;
    m_editor->centerCursor();
    m_editor->setFocus(Qt::OtherFocusReason);
    const std::vector<std::string>& lines = m_document->lines();
    const std::string reason = line >= 0 && line < static_cast<int>(lines.size())
        ? drawLineProblem(m_document->game(), lines[static_cast<std::size_t>(line)])
        : std::string();
    // The caret's own text came with the move; the reason follows it.
    emit statusTextChanged(QStringLiteral("第%1行：%2").arg(line + 1).arg(toQString(reason)));
}

void DataPage::markBadLines()
{
    if (!m_attached)
        return;
    QList<QTextEdit::ExtraSelection> marks;
    const std::vector<int>& bad = m_document->badLines();
    for (std::size_t i = 0; i < std::min(bad.size(), kMarkedBadLines); ++i) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(m_editor->document()->findBlockByNumber(bad[i]));
        mark.format.setBackground(kBadLineBackground);
        // Dark text on the light red, whatever the palette.
        mark.format.setForeground(QColor(Qt::black));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks << mark;
    }
    m_editor->setExtraSelections(marks);
}

void DataPage::showCaret()
{
    const QTextCursor cursor = m_editor->textCursor();
    m_shownCaret = cursor.position();
    emit statusTextChanged(
        QStringLiteral("第%1行%2列").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

void DataPage::showEvent(QShowEvent* event)
{
    if (!m_attached) {
        m_attached = true;
        attachEditor();
        placeCaret(m_caretLine);
    }
    Page::showEvent(event);
    // A hidden editor had no size to scroll in: it scrolls to the caret now.
    if (m_caretToBeShown) {
        m_caretToBeShown = false;
        m_editor->ensureCursorVisible();
    }
    if (m_badLineToShow >= 0)
        finishShowingBadLine();
}

bool DataPage::eventFilter(QObject* watched, QEvent* event)
{
    // A caret in view stays in view when the editor changes size (the window's
    // layout settling after the first show, the user resizing it); the editor
    // lays itself out for the new size after this filter.
    if (event->type() == QEvent::Resize && watched == m_editor->viewport()) {
        const QRect caret = m_editor->cursorRect();
        if (caret.top() >= 0 && caret.bottom() < static_cast<QResizeEvent*>(event)->oldSize().height())
            QTimer::singleShot(0, m_editor, [this] { m_editor->ensureCursorVisible(); });
    }
    // A key that left the caret where it was (F7 itself) leaves the status bar's text.
    if ((event->type() == QEvent::KeyRelease && watched == m_editor && m_editor->hasFocus()
            && m_editor->textCursor().position() != m_shownCaret)
        || (event->type() == QEvent::MouseButtonRelease && watched == m_editor->viewport()))
        showCaret();
    return Page::eventFilter(watched, event);
}

} // namespace velmora
