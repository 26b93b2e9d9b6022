// The draw-data page "开奖数据": the history as editable text, its file, the online
// update with its sources, import and adding a draw. It owns the draw history that
// the other pages read.
#pragma once

#include "app/pages/Page.h"
#include "core/draw/DrawRecord.h"

#include <QString>

#include <string>
#include <vector>

class QPlainTextEdit;
class QUrl;

namespace velmora {

class DataPage : public Page {
    Q_OBJECT

public:
    // dataFile is the data file; the download's temporary file lies beside it.
    DataPage(Platform& platform, const QString& dataFile, int downloadTimeoutMs, QWidget* parent);

    // The history as parsed from the editor at the last load, save, import or update.
    const DrawHistory& history() const { return m_history; }
    QString dataFileName() const { return m_dataFileName; }
    // The editor's text, lines joined by '\n'.
    QString drawText() const;
    // Replaces the editor's text and rebuilds the history from it.
    void setDrawText(const QString& text);
    // The editor differs from the data file as last read or written.
    bool hasUnsavedChanges() const;

    // Reads the data file into the editor and builds the history (start-up only). A
    // missing file is a first run: the built-in history is loaded and written as the
    // data file. An unreadable one is reported and makes the first save ask before
    // replacing it.
    void loadDataFile();
    // Writes the editor's text to the data file, making its folder first; false when
    // nothing was written.
    bool saveDataFile();
    // "在线更新": tries the update sources in order until one gives a history, merges
    // it into the editor's lines and, when that changed anything, saves and parses.
    // No source at all: says so and opens the sources dialog.
    void downloadDraws();
    // "数据源设置": the dialog of update sources.
    void editDataSources();
    // "添加开奖": one draw typed in a dialog, added in key order, saved and parsed.
    void addDraw();

signals:
    // The history has been parsed anew from the editor.
    void historyChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearDraws();
    void importDraws();
    void saveDraws();
    // Parses the editor's lines into the history, its messages shown in message boxes.
    void rebuildHistory();
    // No data file yet: the built-in history becomes the editor's text and the file.
    void loadBuiltInHistory();
    // The editor's text as lines, as the merge and the add-draw dialog take them.
    std::vector<std::string> editorLines() const;
    // Downloads one source and reads its history; false when the source failed.
    // A history with bad lines is reported and ends the update (stop is set).
    bool fetchSource(const QUrl& url, std::vector<std::string>& lines, bool& stop);
    void showCaret();

    QString m_dataFileName;
    int m_downloadTimeoutMs;
    DrawHistory m_history;
    QPlainTextEdit* m_editor = nullptr;
    // The editor's text as last read from or written to the data file.
    QString m_savedText;
    // The data file exists but could not be read at start-up: the first save asks first.
    bool m_dataFileUnreadable = false;
};

} // namespace velmora
