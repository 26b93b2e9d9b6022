// The number tools page "号码工具": two code lists A and B (typed, pasted, read from
// a file or taken from another page's result), a digit field for 包号, the tools
// (转组选, 组选转直选, 组六包号, 组三包号, 交集, 并集, 差集) and the result with the
// result commands; "用作A" carries the result into list A for the next step.
#pragma once

#include "app/pages/Page.h"
#include "core/code/CodeSet.h"
#include "core/play/NumberTools.h"

#include <QList>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace velmora {

class ResultCommands;

class NumberToolsPage : public Page {
    Q_OBJECT

public:
    // A result another page holds, offered by "取自": its name ("号码缩水结果") and
    // how to get its codes now.
    struct ResultSource {
        QString name;
        std::function<CodeSet()> codes;
    };

    NumberToolsPage(Platform& platform, ResultCommands& commands, QWidget* parent);

    // The results "取自" offers for lists A and B, in menu order.
    void setResultSources(QList<ResultSource> sources);
    // The result of the last tool run, and the leading text of its header.
    const CodeSet& result() const { return m_result; }
    const char* resultLeadingText() const { return m_leadingText; }

private:
    enum class List { A, B };
    QWidget* createListBox(List list);
    QWidget* createToolBox();
    QWidget* createResultBox();
    QPlainTextEdit* memoOf(List list) const;
    void showList(List list, const CodeSet& codes, const QString& source);
    void importFile(List list);
    void takeFrom(List list, const ResultSource& source);
    void fillSourceMenu(List list);
    void runTool(NumberTool tool, const QString& caption);
    void useResultAsA();

    ResultCommands& m_commands;
    QList<ResultSource> m_sources;
    CodeSet m_result;
    const char* m_leadingText = kDirectLeadingText;

    QPlainTextEdit* m_memoA = nullptr;
    QPlainTextEdit* m_memoB = nullptr;
    QLabel* m_countA = nullptr;
    QLabel* m_countB = nullptr;
    QPushButton* m_takeA = nullptr;
    QPushButton* m_takeB = nullptr;
    QLineEdit* m_digits = nullptr;
    QPlainTextEdit* m_resultMemo = nullptr;
    QLabel* m_resultCount = nullptr;
};

} // namespace velmora
