// The draw-data page "开奖数据": the editor's view of the history document, and
// the commands that change it: the online update with its sources, clearing,
// import, saving, adding a draw, restoring a backup. Bad lines are marked in the
// editor and reached one after another.
#pragma once

#include "app/pages/Page.h"

class QPlainTextEdit;

namespace velmora {

class HistoryDocument;

class DataPage : public Page {
    Q_OBJECT

public:
    // The download's temporary file lies beside the document's file.
    DataPage(Platform& platform, HistoryDocument& document, int downloadTimeoutMs, QWidget* parent);

    // Saves the document. Asks first when the file could not be read at start-up,
    // and when the text holds no draw, or fewer than half of the file's draws, while
    // the file holds some. False when nothing was written.
    bool saveDataFile();
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
    // The document of the game in front: the editor shows its text, the commands work on it.
    void setDocument(HistoryDocument& document);

signals:
    // The page wants to be in front (to show a bad line).
    void showRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void clearDraws();
    void importDraws();
    void saveDraws();
    // True when saving the text needs no question or the user agreed.
    bool confirmSave();
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
};

} // namespace velmora
