#include "app/pages/NumberToolsPage.h"

#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/code/CodeSetText.h"
#include "core/io/TextFile.h"
#include "core/play/Play.h"
#include "widgets/GroupBox.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

// The tools in the order of their buttons, with the caption each button shows.
struct ToolButton {
    NumberTool tool;
    const char* caption;
    const char* name;
};
const ToolButton kToolButtons[] = {
    { NumberTool::Group, "转组选", "groupButton" },
    { NumberTool::Expand, "组选转直选", "expandButton" },
    { NumberTool::Group6, "组六包号", "group6Button" },
    { NumberTool::Group3, "组三包号", "group3Button" },
    { NumberTool::Intersect, "交集", "intersectButton" },
    { NumberTool::Union, "并集", "unionButton" },
    { NumberTool::Difference, "差集 A−B", "diffButton" },
};

constexpr const char* kBadDigitsText = "包号数字只能是0到9，可以用逗号、分号或空格隔开";
constexpr const char* kBadPositionText
    = "定位复式的百位、十位、个位都要填数字0到9，可以用逗号、分号或空格隔开";
constexpr const char* kBadSumsText = "和值只能是0到27的数，用逗号隔开";
constexpr const char* kBadSpansText = "跨度只能是0到9的数，用逗号隔开";
constexpr const char* kBadDantuoText = "胆码和拖码只能是数字0到9，可以用逗号、分号或空格隔开";
constexpr const char* kBankerCountText = "胆码应为一个或两个数字";
constexpr const char* kBankerIsDragText = "胆码和拖码不能有相同的数字";

// A box whose title stands on its frame line, its content laid out below the title.
GroupBox* makeBox(const QString& title, const QString& name, QWidget* parent, QBoxLayout* content)
{
    auto* box = new GroupBox(title, parent);
    box->setObjectName(name);
    content->setContentsMargins(8, 4, 8, 8);
    content->setSpacing(4);
    box->setLayout(content);
    return box;
}

// A memo in a laid-out box: at least eight codes ("ddd,") wide besides its scroll
// bar, and ten once the window is as wide as designed.
QPlainTextEdit* makeListMemo(QWidget* parent, const QString& name)
{
    QPlainTextEdit* memo = makeCodeMemo(parent, name);
    // A narrow memo scrolls sideways rather than break a code in two.
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    const int code = memo->fontMetrics().horizontalAdvance(QStringLiteral("000,"));
    memo->setMinimumSize(8 * code + 2 * memo->frameWidth() + 24, 60);
    return memo;
}

QString countText(const CodeSet& codes) { return QStringLiteral("总共%1注号码").arg(codeSetCount(codes)); }

CodeSet codesOfMemo(const QPlainTextEdit* memo)
{
    return readCodeList(toStdString(memo->toPlainText())).codes;
}

QString ignoredText(const QPlainTextEdit* memo)
{
    return toQString(ignoredItemsText(readCodeList(toStdString(memo->toPlainText()))));
}

} // namespace

NumberToolsPage::NumberToolsPage(Platform& platform, ResultCommands& commands, QWidget* parent)
    : Page(platform, parent)
    , m_commands(commands)
{
    setObjectName(QStringLiteral("numberToolsPage"));
    QVBoxLayout* layout = makeWorkPageLayout();
    addResultCommands([this] { m_commands.exportResult(m_result, m_leadingText); },
        [this] { m_commands.checkPrize(m_resultMemo); }, [this] { m_commands.printMemo(m_resultMemo); },
        [this] { m_commands.checkLatestDraw(m_resultMemo); });

    // The tools in a row on top; below it lists A and B on the left and the
    // result on the right.
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel"));
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(8, 6, 8, 6);
    rows->setSpacing(6);
    rows->addWidget(createToolBox());
    rows->addWidget(createBetBox());
    auto* columns = new QHBoxLayout;
    columns->setSpacing(8);
    auto* lists = new QVBoxLayout;
    lists->setSpacing(6);
    lists->addWidget(createListBox(List::A), 1);
    lists->addWidget(createListBox(List::B), 1);
    columns->addLayout(lists, 1);
    columns->addWidget(createResultBox(), 1);
    rows->addLayout(columns, 1);
    layout->addWidget(panel, 1);
}

QWidget* NumberToolsPage::createListBox(List list)
{
    const bool isA = list == List::A;
    const QString letter = isA ? QStringLiteral("A") : QStringLiteral("B");
    auto* content = new QVBoxLayout;
    GroupBox* box = makeBox(
        QStringLiteral("号码%1：").arg(letter), QStringLiteral("list%1Box").arg(letter), this, content);

    auto* head = new QHBoxLayout;
    auto* count = new QLabel(QStringLiteral("总共0注号码"), box);
    count->setObjectName(QStringLiteral("list%1Count").arg(letter));
    count->setMinimumWidth(
        count->fontMetrics().horizontalAdvance(countText(CodeSet {}) + QStringLiteral("000")));
    head->addWidget(count, 1);

    auto* take = new QPushButton(QStringLiteral("取自"), box);
    take->setObjectName(QStringLiteral("take%1Button").arg(letter));
    take->setMenu(new QMenu(take));
    head->addWidget(take);

    auto* importButton = new QPushButton(QStringLiteral("从文件导入…"), box);
    importButton->setObjectName(QStringLiteral("import%1Button").arg(letter));
    QAction* import
        = addPageCommand(QStringLiteral("号码%1从文件导入…").arg(letter), [this, list] { importFile(list); });
    connect(importButton, &QPushButton::clicked, import, &QAction::trigger);
    head->addWidget(importButton);
    content->addLayout(head);

    QPlainTextEdit* memo = makeListMemo(box, QStringLiteral("list%1Memo").arg(letter));
    content->addWidget(memo, 1);
    auto* ignored = new QLabel(box);
    ignored->setObjectName(QStringLiteral("list%1Ignored").arg(letter));
    ignored->setTextFormat(Qt::PlainText);
    ignored->setWordWrap(true);
    ignored->hide();
    content->addWidget(ignored);
    // The count and what the reading skipped follow the text as it is typed or pasted.
    connect(memo, &QPlainTextEdit::textChanged, count, [memo, count, ignored] {
        count->setText(countText(codesOfMemo(memo)));
        const QString skipped = ignoredText(memo);
        ignored->setText(skipped);
        ignored->setVisible(!skipped.isEmpty());
    });

    (isA ? m_memoA : m_memoB) = memo;
    (isA ? m_countA : m_countB) = count;
    (isA ? m_takeA : m_takeB) = take;
    return box;
}

QWidget* NumberToolsPage::createToolBox()
{
    auto* content = new QHBoxLayout;
    GroupBox* box = makeBox(QStringLiteral("操作："), QStringLiteral("toolBox"), this, content);
    for (const ToolButton& entry : kToolButtons) {
        // The packs follow their digit field; the set operations stand apart.
        if (entry.tool == NumberTool::Group6) {
            content->addSpacing(10);
            auto* caption = new QLabel(QStringLiteral("包号数字："), box);
            content->addWidget(caption);
            m_digits = new QLineEdit(box);
            m_digits->setObjectName(QStringLiteral("digitsEdit"));
            m_digits->setPlaceholderText(QStringLiteral("如0369"));
            m_digits->setMaxLength(40);
            m_digits->setFixedWidth(m_digits->fontMetrics().horizontalAdvance(QStringLiteral("0,1,2,3,4,5")));
            caption->setBuddy(m_digits);
            content->addWidget(m_digits);
        } else if (entry.tool == NumberTool::Intersect) {
            content->addSpacing(10);
        }
        addToolButton(content, box, entry.tool, QString::fromUtf8(entry.caption), entry.name);
    }
    content->addStretch(1);
    return box;
}

void NumberToolsPage::addToolButton(
    QBoxLayout* row, QWidget* box, NumberTool tool, const QString& caption, const char* name)
{
    // Tool buttons are as wide as their captions, so the row fits a narrow window.
    auto* button = new QToolButton(box);
    button->setText(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(std::max(56, button->sizeHint().width()));
    button->setFocusPolicy(Qt::StrongFocus);
    QAction* action = addPageCommand(caption, [this, tool, caption] { runTool(tool, caption); });
    connect(button, &QToolButton::clicked, action, &QAction::trigger);
    row->addWidget(button);
}

// 定位复式 and 组选胆拖 on the first row, 和值 and 跨度 on the second; each tool
// follows its fields.
QWidget* NumberToolsPage::createBetBox()
{
    auto* content = new QVBoxLayout;
    GroupBox* box = makeBox(QStringLiteral("投注方式："), QStringLiteral("betBox"), this, content);
    auto* first = new QHBoxLayout;
    auto* second = new QHBoxLayout;
    content->addLayout(first);
    content->addLayout(second);
    const auto addEdit = [box](QBoxLayout* row, const QString& label, const QString& name,
                             const QString& hint, const QString& widest) {
        auto* caption = new QLabel(label, box);
        row->addWidget(caption);
        auto* edit = new QLineEdit(box);
        edit->setObjectName(name);
        edit->setPlaceholderText(hint);
        edit->setMaxLength(100);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 12);
        caption->setBuddy(edit);
        row->addWidget(edit);
        return edit;
    };
    const QString digitsWidth = QStringLiteral("0,1,2,3");
    m_hundreds = addEdit(
        first, QStringLiteral("百位:"), QStringLiteral("hundredsEdit"), QStringLiteral("如13"), digitsWidth);
    m_tens = addEdit(
        first, QStringLiteral("十位:"), QStringLiteral("tensEdit"), QStringLiteral("如579"), digitsWidth);
    m_units = addEdit(
        first, QStringLiteral("个位:"), QStringLiteral("unitsEdit"), QStringLiteral("如0"), digitsWidth);
    addToolButton(first, box, NumberTool::DirectMulti, QStringLiteral("定位复式"), "directMultiButton");
    first->addSpacing(10);
    m_bankers = addEdit(first, QStringLiteral("胆码:"), QStringLiteral("bankersEdit"), QStringLiteral("如1"),
        QStringLiteral("0,1"));
    m_drags = addEdit(
        first, QStringLiteral("拖码:"), QStringLiteral("dragsEdit"), QStringLiteral("如2345"), digitsWidth);
    addToolButton(first, box, NumberTool::Dantuo, QStringLiteral("组选胆拖"), "dantuoButton");
    first->addStretch(1);
    m_sums = addEdit(second, QStringLiteral("和值:"), QStringLiteral("sumsEdit"),
        QStringLiteral("如10,11,12"), QStringLiteral("10,11,12,13"));
    addToolButton(second, box, NumberTool::Sums, QStringLiteral("和值"), "sumsButton");
    second->addSpacing(10);
    m_spans = addEdit(second, QStringLiteral("跨度:"), QStringLiteral("spansEdit"), QStringLiteral("如4,5"),
        QStringLiteral("4,5,6,7"));
    addToolButton(second, box, NumberTool::Spans, QStringLiteral("跨度"), "spansButton");
    second->addStretch(1);
    return box;
}

std::optional<DigitSet> NumberToolsPage::digitsOfEdit(QLineEdit* edit, const char* problem)
{
    const std::optional<DigitSet> digits = parseDigitList(toStdString(edit->text()));
    if (!digits) {
        platform().showMessage(this, QString::fromUtf8(problem));
        edit->setFocus();
    }
    return digits;
}

std::optional<NumberToolInputs> NumberToolsPage::inputsOf(NumberTool tool)
{
    const NumberToolInfo& info = numberToolInfo(tool);
    NumberToolInputs in;
    switch (info.input) {
    case NumberToolInput::OneList:
    case NumberToolInput::TwoLists:
        in.a = codesOfMemo(m_memoA);
        if (info.input == NumberToolInput::TwoLists)
            in.b = codesOfMemo(m_memoB);
        return in;
    case NumberToolInput::Digits: {
        const std::optional<DigitSet> digits = digitsOfEdit(m_digits, kBadDigitsText);
        if (!digits)
            return std::nullopt;
        in.digits[0] = *digits;
        return in;
    }
    case NumberToolInput::ThreeDigitLists: {
        const std::array<QLineEdit*, 3> edits = { m_hundreds, m_tens, m_units };
        for (std::size_t p = 0; p < edits.size(); ++p) {
            const std::optional<DigitSet> digits = digitsOfEdit(edits[p], kBadPositionText);
            if (!digits)
                return std::nullopt;
            in.digits[p] = *digits;
        }
        return in;
    }
    case NumberToolInput::Numbers: {
        QLineEdit* edit = tool == NumberTool::Sums ? m_sums : m_spans;
        const std::optional<NumberSet> numbers = parseNumberList(toStdString(edit->text()), info.highest);
        if (!numbers) {
            platform().showMessage(
                this, QString::fromUtf8(tool == NumberTool::Sums ? kBadSumsText : kBadSpansText));
            edit->setFocus();
            return std::nullopt;
        }
        in.numbers = *numbers;
        return in;
    }
    case NumberToolInput::TwoDigitLists:
        break;
    }
    const std::optional<DigitSet> bankers = digitsOfEdit(m_bankers, kBadDantuoText);
    if (!bankers)
        return std::nullopt;
    const std::optional<DigitSet> drags = digitsOfEdit(m_drags, kBadDantuoText);
    if (!drags)
        return std::nullopt;
    const DantuoProblem problem = dantuoProblem(*bankers, *drags);
    if (problem == DantuoProblem::BankerCount || problem == DantuoProblem::BankerIsDrag) {
        platform().showMessage(this,
            QString::fromUtf8(problem == DantuoProblem::BankerCount ? kBankerCountText : kBankerIsDragText));
        m_bankers->setFocus();
        return std::nullopt;
    }
    in.digits[0] = *bankers;
    in.digits[1] = *drags;
    return in;
}

QWidget* NumberToolsPage::createResultBox()
{
    auto* content = new QVBoxLayout;
    GroupBox* box = makeBox(QStringLiteral("结果："), QStringLiteral("resultBox"), this, content);
    auto* head = new QHBoxLayout;
    m_resultCount = new QLabel(QStringLiteral("0注，0元"), box);
    m_resultCount->setObjectName(QStringLiteral("resultCount"));
    head->addWidget(m_resultCount, 1);
    auto* useButton = new QPushButton(QStringLiteral("用作A"), box);
    useButton->setObjectName(QStringLiteral("useAsAButton"));
    QAction* use = addPageCommand(QStringLiteral("结果用作号码A"), [this] { useResultAsA(); });
    connect(useButton, &QPushButton::clicked, use, &QAction::trigger);
    head->addWidget(useButton);
    content->addLayout(head);
    m_resultMemo = makeListMemo(box, QStringLiteral("resultMemo"));
    content->addWidget(m_resultMemo, 1);
    return box;
}

void NumberToolsPage::setResultSources(QList<ResultSource> sources)
{
    m_sources = std::move(sources);
    fillSourceMenu(List::A);
    fillSourceMenu(List::B);
}

void NumberToolsPage::fillSourceMenu(List list)
{
    QMenu* menu = (list == List::A ? m_takeA : m_takeB)->menu();
    menu->clear();
    for (const ResultSource& source : std::as_const(m_sources)) {
        QAction* action = menu->addAction(source.name);
        connectCommand(action, &QAction::triggered, [this, list, source] { takeFrom(list, source); });
    }
}

QPlainTextEdit* NumberToolsPage::memoOf(List list) const { return list == List::A ? m_memoA : m_memoB; }

void NumberToolsPage::showList(List list, const CodeSet& codes, const QString& source)
{
    memoOf(list)->setPlainText(memoTextOfLines(codeSetToLines(codes)));
    const QString name = list == List::A ? QStringLiteral("号码A") : QStringLiteral("号码B");
    emit statusTextChanged(name + source + QString::number(codeSetCount(codes)) + QStringLiteral("注"));
}

void NumberToolsPage::importFile(List list)
{
    const QString path
        = platform().openFileName(this, QStringLiteral("文本文件|*.txt|所有文件|*"), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    // A file that cannot be read raises FileError, which the command shows.
    const CodeSet codes = readCodeList(readTextFile(toStdString(path))).codes;
    showList(list, codes, QStringLiteral("从文件") + QFileInfo(path).fileName() + QStringLiteral("导入"));
}

void NumberToolsPage::takeFrom(List list, const ResultSource& source)
{
    showList(list, source.codes(), QStringLiteral("取自") + source.name + QStringLiteral("，共"));
}

void NumberToolsPage::runTool(NumberTool tool, const QString& caption)
{
    const NumberToolInfo& info = numberToolInfo(tool);
    const std::optional<NumberToolInputs> in = inputsOf(tool);
    if (!in)
        return;
    m_result = runNumberTool(tool, *in);
    m_leadingText = info.leadingText;
    m_resultMemo->setPlainText(resultMemoText(m_leadingText, m_result));
    const int count = codeSetCount(m_result);
    m_resultCount->setText(QStringLiteral("%1注，%2元").arg(count).arg(count * kBetPrice));
    emit statusTextChanged(caption + QStringLiteral("：") + toQString(resultHeader(m_leadingText, m_result)));
}

void NumberToolsPage::useResultAsA() { showList(List::A, m_result, QStringLiteral("取自结果，共")); }

} // namespace velmora
