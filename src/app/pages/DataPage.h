// The draw-data page "开奖数据": the editor's view of the history document, and
// the commands that change it: the online update with its sources, clearing,
// import, saving, adding a draw, restoring a backup. Bad lines are marked in the
// editor and reached one after another.
#pragma once

#include "app/HistoryDocument.h"
#include "app/UpdateSources.h"
#include "app/pages/Page.h"

class QPlainTextEdit;

namespace velmora {

class DataPage : public Page {
    Q_OBJECT

public:
    // The download's temporary file lies beside the document's file.
    DataPage(Platform& platform, HistoryDocument& document, int downloadTimeoutMs, QWidget* parent);

    // Saves the document. Asks first when the file could not be read at start-up,
    // and when the text holds no draw, or fewer than half of the file's draws, while
    // the file holds some. False when nothing was written.
    bool saveDataFile();
    // How a save ended: written, not written because the user declined the
    // question, or failed (the error was shown).
    enum class SaveOutcome { Saved, Declined, Failed };
    // "在线更新": merges the history of the first update source that gives one into
    // the text and, when that changed anything, saves; the result is told after the save.
    void downloadDraws();
    // "数据源设置": the dialog of update sources.
    void editDataSources();
    // "添加开奖": one draw typed in a dialog, added in key order and saved.
    void addDraw();
    // "恢复备份…": a backup chosen from the list becomes the text and is saved.
    void restoreBackup();
    // "下一处错误": the caret to the next bad line after it (from the top after the last).
    void showNextBadLine();
    // "自动更新": the update of downloadDraws without a question or message box; told
    // says what happened or why nothing was saved. A save that would need the user's
    // word is not made (the merge is taken back), nor is one of a text that has bad
    // lines or unsaved changes.
    UpdateOutcome updateQuietly(QString& told);
    // The document of the game in front: the editor shows its text, the commands work on it.
    void setDocument(HistoryDocument& document);

signals:
    // The page wants to be in front (to show a bad line).
    void showRequested();
    // An online update brought new or corrected draws and saved them.
    void updated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void clearDraws();
    void importDraws();
    void saveDraws();
    // The question saving the text needs, or the empty text when it needs none.
    QString saveQuestion() const;
    // Saves, asking the question first when there is one. Tells nothing on success.
    SaveOutcome saveText();
    // The status bar after a save: done, or done with the bad lines the text keeps.
    void showSaved();
    // Saves what a command changed since the checkpoint, telling the outcome; a
    // declined save takes the command back (the history and every page as before it).
    SaveOutcome saveCommand(const HistoryDocument::Checkpoint& before);
    // The caret on the bad line in the middle of the editor, the keyboard focus in the
    // editor and the line's reason in the status bar, now or when the page is shown.
    void showBadLine(int line);
    void finishShowingBadLine();
    void offerFirstBadLine(const QString& message);
    void markBadLines();
    void showCaret();
    // Follows the document's reports.
    void followDocument();
    // The editor shows the document's text (from the first show on).
    void attachEditor();
    // Puts the caret on the line (0-based; -1: the end of the text) and scrolls it
    // into view, now or when the page is shown.
    void placeCaret(int line);

    HistoryDocument* m_document;
    int m_downloadTimeoutMs;
    QPlainTextEdit* m_editor = nullptr;
    // The editor shows the document's text from the page's first show on.
    bool m_attached = false;
    // The line the caret goes to when the page is shown (-1: the end); set while hidden.
    int m_caretLine = -1;
    bool m_caretToBeShown = false;
    // The bad line showBadLine shows once the page is visible (-1: none).
    int m_badLineToShow = -1;
    // The caret position last told in the status bar.
    int m_shownCaret = -1;
};

} // namespace velmora
