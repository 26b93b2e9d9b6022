// The number tools page "号码工具": two code lists A and B (typed, pasted, read from
// a file or taken from another page's result), a digit field for 包号, the tools
// (转组选, 组选转直选, 组六包号, 组三包号, 交集, 并集, 差集), the bet forms (定位复式,
// 和值, 跨度, 组选胆拖, each with its own fields) and the result with the result
// commands; "用作A" carries the result into list A for the next step. A list
// whose reading skipped items says so below it ("已忽略：1234、12a").
#pragma once

#include "app/pages/Page.h"
#include "core/code/CodeSet.h"
#include "core/play/NumberTools.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QBoxLayout;
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
    QWidget* createBetBox();
    void addToolButton(
        QBoxLayout* row, QWidget* box, NumberTool tool, const QString& caption, const char* name);
    // The inputs of a tool from the page's fields, or nothing after saying what is wrong.
    std::optional<NumberToolInputs> inputsOf(NumberTool tool);
    std::optional<DigitSet> digitsOfEdit(QLineEdit* edit, const char* problem);
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
    QLineEdit* m_hundreds = nullptr;
    QLineEdit* m_tens = nullptr;
    QLineEdit* m_units = nullptr;
    QLineEdit* m_sums = nullptr;
    QLineEdit* m_spans = nullptr;
    QLineEdit* m_bankers = nullptr;
    QLineEdit* m_drags = nullptr;
    QPlainTextEdit* m_resultMemo = nullptr;
    QLabel* m_resultCount = nullptr;
};

} // namespace velmora
