// One game's draw history and its one owner: the data file's text as the editor shows and edits
// it, the records parsed from that text, the file, and whether the text differs
// from what the file holds. Pages and windows read the records and follow
// changed(); the data page is the editor's view of the text. Commands change the
// text through the editor's undo stack, so Ctrl+Z takes each back as one step.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/game/Game.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QTextDocument;
class QTimer;

namespace velmora {

struct MergeResult;

// The status bar's note while the text has bad lines (0-based):
// "数据有N行错误，分析暂停：第100、201、302行", at most ten numbers, then "等".
QString badLinesStatusText(const std::vector<int>& lines);

class HistoryDocument : public QObject {
    Q_OBJECT

public:
    HistoryDocument(const Game& game, const QString& filePath, QObject* parent);

    // The game whose draws the text holds: its line rule, built-in history and backups.
    const Game& game() const { return m_game; }
    const QString& filePath() const { return m_filePath; }
    // The records as last parsed from a text without bad lines.
    const DrawHistory& records() const { return m_records; }
    // Grows by one whenever the records change: a reader that remembers it knows
    // whether it has seen the current records.
    std::uint64_t revision() const { return m_revision; }
    // The draws the last change of the records added or altered, in the text's order
    // (every draw after the first load); draws that went are not listed.
    const std::vector<DrawRecord>& changedDraws() const { return m_changedDraws; }
    // The text, lines joined by '\n'.
    QString text() const;
    // The text as lines, as the merge and the add-draw dialog take them.
    const std::vector<std::string>& lines() const;
    // The text differs from the file as last read or written.
    bool isModified() const;
    // The file existed but could not be read at load: saving replaces what it holds.
    bool fileWasUnreadable() const { return m_fileUnreadable; }
    // Draw lines in the file as last read or written, and in the text now.
    int fileDrawCount() const { return m_fileDraws; }
    int drawCount() const;
    // The lines (0-based) of the text that are no draw line, as of the last parse or
    // the last pause in typing; a text with any is not parsed. At a pause in typing
    // (an undo, a mended line) a text without any becomes the records.
    const std::vector<int>& badLines() const { return m_badLines; }

    // The text as the editor edits it. Filling it with a long history costs more
    // start-up time than anything else the window does, so the text goes in on the
    // first call (the data page's first show).
    QTextDocument* textDocument();

    // Reads the file and parses it (start-up, or the game's first showing). A missing
    // file is a first run: the game's built-in history becomes the text and is written
    // as the file; the returned
    // status text says so (empty otherwise). A file that cannot be read, or is no
    // regular file, is reported at once and leaves the text empty.
    QString load();
    // Saves the text as the file, the file's old content kept as a backup (a file
    // that could not be read is replaced without one); false
    // when nothing was written (the error is reported).
    bool save();
    // Parses the text into the records; bad lines are reported and keep the records.
    // Returns the number of draw lines.
    int parse();
    // Replaces the whole text and parses it.
    void setText(const QString& text);
    // Merges the source's draw lines into the text; when that changes anything the
    // text becomes the merged lines, parsed. Returns what the merge did.
    MergeResult merge(const std::vector<std::string>& sourceLines);
    // Puts a draw line into the text in key order (see addDrawLine) and parses.
    void addDraw(const std::string& line);

    // The text and records before a command, so that the command can be taken back
    // when the save it ends with is declined.
    struct Checkpoint {
        QString text;
        DrawHistory records;
        int undoSteps = 0;
    };
    Checkpoint checkpoint() const;
    // Takes back what changed since the checkpoint: the text by the editor's undo
    // where it can (Ctrl+Z then reaches what came before), the records as they were.
    void revert(const Checkpoint& point);

signals:
    // The records have changed (revision() has grown; changedDraws() says which
    // draws are new or different).
    void changed();
    // A command changed the text; line (0-based) holds the draw it placed, or is -1
    // for the end of the text.
    void textReplaced(int line);
    // A failure the user must read: a file error.
    void problem(const QString& text);
    // A parse found bad lines; text lists them (badLines() holds them).
    void badLinesFound(const QString& text);
    // badLines() has changed.
    void badLinesChanged();

private:
    // Replaces the whole text, as one undo step once the editor holds it.
    void putText(const QString& text);
    // The text becomes these lines, parsed from them without another split.
    void replaceLines(const std::vector<std::string>& lines, int shownLine);
    int parseLines(const std::vector<std::string>& lines);
    // The records become history (a text without bad lines, or a checkpoint's).
    void adoptHistory(DrawHistory history);
    void setBadLines(std::vector<int> lines);
    // The built-in history as text and file (first run); returns the status text.
    QString loadBuiltIn();

    const Game& m_game;
    QString m_filePath;
    DrawHistory m_records;
    std::vector<DrawRecord> m_changedDraws;
    std::uint64_t m_revision = 0;
    QTextDocument* m_document = nullptr;
    // The text while the editor's document has not been filled yet.
    QString m_pendingText;
    bool m_filled = false;
    // The text as last read from or written to the file, and its draw lines.
    QString m_savedText;
    int m_fileDraws = 0;
    bool m_fileUnreadable = false;
    std::vector<int> m_badLines;
    // Draw lines in the text; -1 until counted again after a change.
    mutable int m_drawCount = -1;
    // The text's lines; none until split again after a change.
    mutable std::optional<std::vector<std::string>> m_lines;
    // Looks for bad lines again once typing pauses, and parses a text without any.
    QTimer* m_recheck = nullptr;
};

} // namespace velmora
