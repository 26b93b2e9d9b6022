// The draw history's one owner: the data file's text as the editor shows and edits
// it, the records parsed from that text, the file, and whether the text differs
// from what the file holds. Pages and windows read the records and follow
// changed(); the data page is the editor's view of the text.
#pragma once

#include "core/draw/DrawRecord.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QTextDocument;

namespace velmora {

struct MergeResult;

class HistoryDocument : public QObject {
    Q_OBJECT

public:
    HistoryDocument(const QString& filePath, QObject* parent);

    const QString& filePath() const { return m_filePath; }
    // The records as last parsed from a text without bad lines.
    const DrawHistory& records() const { return m_records; }
    // Grows by one whenever the records change: a reader that remembers it knows
    // whether it has seen the current records.
    std::uint64_t revision() const { return m_revision; }
    // The text, lines joined by '\n'.
    QString text() const;
    // The text as lines, as the merge and the add-draw dialog take them.
    std::vector<std::string> lines() const;
    // The text differs from the file as last read or written.
    bool isModified() const;
    // The file existed but could not be read at load: saving replaces what it holds.
    bool fileWasUnreadable() const { return m_fileUnreadable; }

    // The text as the editor edits it. Filling it with a long history costs more
    // start-up time than anything else the window does, so the text goes in on the
    // first call (the data page's first show).
    QTextDocument* textDocument();

    // Reads the file and parses it (start-up). A missing file is a first run: the
    // built-in history becomes the text and is written as the file; the returned
    // status text says so (empty otherwise). An unreadable file is reported.
    QString load();
    // Writes the text to the file, making its folder first; false when nothing was
    // written (the error is reported).
    bool save();
    // Parses the text into the records; bad lines are reported and keep the records.
    void parse();
    // Replaces the whole text and parses it.
    void setText(const QString& text);
    // Merges the source's draw lines into the text; when that changes anything the
    // text becomes the merged lines, parsed. Returns what the merge did.
    MergeResult merge(const std::vector<std::string>& sourceLines);
    // Puts a draw line into the text in key order (see addDrawLine) and parses.
    void addDraw(const std::string& line);

signals:
    // The records have changed (revision() has grown).
    void changed();
    // A command replaced the text; the editor shows its end.
    void textReplaced();
    // A failure the user must read: a file error, the bad lines.
    void problem(const QString& text);

private:
    void putText(const QString& text);
    // The text becomes these lines, parsed from them without another split.
    void replaceLines(const std::vector<std::string>& lines);
    void parseLines(const std::vector<std::string>& lines);
    // The built-in history as text and file (first run); returns the status text.
    QString loadBuiltIn();

    QString m_filePath;
    DrawHistory m_records;
    std::uint64_t m_revision = 0;
    QTextDocument* m_document = nullptr;
    // The text while the editor's document has not been filled yet.
    QString m_pendingText;
    bool m_filled = false;
    // The text as last read from or written to the file.
    QString m_savedText;
    bool m_fileUnreadable = false;
};

} // namespace velmora
