// The result commands shared by the filter, smart-shrink and recommendation
// pages: export to a text file, prize check in a memo, print a memo.
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"

#include <QHash>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace velmora {

class Platform;

class ResultCommands {
public:
    using StatusFn = std::function<void(const QString&)>;
    using HistoryFn = std::function<const DrawHistory&()>;

    // history: the draws as they stand now (the prize check offers the latest and
    // checks a whole result against it); none without one.
    ResultCommands(Platform& platform, QWidget* parent, StatusFn setStatus, HistoryFn history = {});

    // "导出结果": asks for a file name ("文本文件|*.txt", default extension txt; it
    // offers the result's name and the issue it is for, "缩水结果-2026178.txt", in the
    // folder chosen last) and writes the result
    // file of the set, replacing the file atomically; the status bar then reads
    // "已导出N注到 " and the path. A write failure raises FileError. False when cancelled.
    bool exportResult(const CodeSet& codes, const char* leadingText);

    // "结果兑奖": asks for the winning code (the latest draw's offered) and looks for it
    // and the other codes of its group in the memo (checkPrizeInText); the codes found
    // are marked (the last search's marks go), the first is selected, and the verdict
    // goes to the status bar and the memo's verdict line. An entry that is not three
    // digits gets the reason there; nothing entered (or a cancel) does nothing.
    void checkPrize(QPlainTextEdit* memo);
    // The search of the prize check for an entry already given.
    void findCodeInMemo(QPlainTextEdit* memo, const QString& entry);
    // "按最新一期兑奖": every code of the memo against the latest draw at once
    // (checkResultAgainstDraw), marked and reported as a search is.
    void checkLatestDraw(QPlainTextEdit* memo);

    // The verdicts of the memo's prize checks are shown whole in the line as well (the
    // status bar may cut them) until the next search or a new text in the memo.
    void setVerdictLine(QPlainTextEdit* memo, QLabel* line);

    // "打印结果": the printout header and the memo's lines at 12 points; once printed,
    // the status bar reads "已打印N注", N the codes the prize check finds in the memo.
    void printMemo(QPlainTextEdit* memo);

    QString lastFileName() const { return m_lastFileName; }
    // The issue an exported result is for (the next draw), as its file name ends.
    void setIssueOfResults(std::function<QString()> issue) { m_issueOfResults = std::move(issue); }

private:
    // Marks the codes found (the direct hits as a selection looks, the group's in
    // yellow), selects the first and tells the verdict.
    void showFound(QPlainTextEdit* memo, const std::vector<std::size_t>& directHits,
        const std::vector<std::size_t>& groupHits, const QString& verdict);
    void tellVerdict(QPlainTextEdit* memo, const QString& verdict);

    Platform& m_platform;
    QWidget* m_parent;
    StatusFn m_setStatus;
    HistoryFn m_history;
    QString m_lastFileName;
    QHash<QPlainTextEdit*, QPointer<QLabel>> m_verdictLines;
    std::function<QString()> m_issueOfResults;
};

// Lines as a memo holds them: joined by line breaks, so the memo has exactly one
// line per line given (a final empty one included).
QString memoTextOfLines(const std::vector<std::string>& lines);

// A result text as a memo holds it.
QString resultMemoText(const char* leadingText, const CodeSet& codes);

// The memo's lines as a list of lines sees them: none for an empty memo.
std::vector<std::string> memoLines(const QPlainTextEdit* memo);

} // namespace velmora
