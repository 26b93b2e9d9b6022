// The draw-data page "开奖数据": the editor's view of the history document, and
// the commands that change it: the online update with its sources, clearing,
// import, saving and adding a draw.
#pragma once

#include "app/pages/Page.h"

#include <string>
#include <vector>

class QPlainTextEdit;
class QUrl;

namespace velmora {

class HistoryDocument;

class DataPage : public Page {
    Q_OBJECT

public:
    // The download's temporary file lies beside the document's file.
    DataPage(Platform& platform, HistoryDocument& document, int downloadTimeoutMs, QWidget* parent);

    // Saves the document; when the file could not be read at start-up, only after
    // the user agreed to replace it. False when nothing was written.
    bool saveDataFile();
    // "在线更新": tries the update sources in order until one gives a history, merges
    // it into the text and, when that changed anything, saves.
    // No source at all: says so and opens the sources dialog.
    void downloadDraws();
    // "数据源设置": the dialog of update sources.
    void editDataSources();
    // "添加开奖": one draw typed in a dialog, added in key order and saved.
    void addDraw();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void clearDraws();
    void importDraws();
    void saveDraws();
    void showCaret();
    // Puts the caret at the end of the text and scrolls it into view: the newest
    // draw is the last line.
    void showNewestDraw();

    HistoryDocument& m_document;
    int m_downloadTimeoutMs;
    QPlainTextEdit* m_editor = nullptr;
    // The editor shows the document's text from the page's first show on.
    bool m_attached = false;
    // The caret was moved while the page was hidden: scroll to it when it is shown.
    bool m_caretToBeShown = false;
};

} // namespace velmora
