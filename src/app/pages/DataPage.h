// The draw-data page "开奖数据": the history as editable text, its file and the
// online update. It owns the draw history that the other pages read.
#pragma once

#include "app/pages/Page.h"
#include "core/draw/DrawRecord.h"

#include <QString>

class QPlainTextEdit;

namespace velmora {

class DataPage : public Page {
    Q_OBJECT

public:
    // appFolder holds the data file and the download's temporary file.
    DataPage(Platform& platform, const QString& appFolder, int downloadTimeoutMs, QWidget* parent);

    // The history as parsed from the editor at the last load, save, import or update.
    const DrawHistory& history() const { return m_history; }
    QString dataFileName() const { return m_dataFileName; }
    // The editor's text, lines joined by '\n'.
    QString drawText() const;
    // Replaces the editor's text and rebuilds the history from it.
    void setDrawText(const QString& text);
    // The editor differs from the data file as last read or written.
    bool hasUnsavedChanges() const;

    // Reads the data file into the editor and builds the history (start-up only); a
    // missing file is a first run, an unreadable one is reported and makes the first
    // save ask before replacing it.
    void loadDataFile();
    // Writes the editor's text to the data file; false when nothing was written.
    bool saveDataFile();
    // "在线更新": fetches $VELMORA_SERVER/3dcp.txt and, when it holds text, replaces the
    // editor's text and the history with it.
    void downloadDraws();

signals:
    // The history has been rebuilt from the editor (it may be unchanged).
    void historyChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearDraws();
    void importDraws();
    void saveDraws();
    // Parses the editor's lines into the history, its messages shown in message boxes.
    void rebuildHistory();
    void showCaret();

    QString m_appFolder;
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
