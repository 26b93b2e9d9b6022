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
    // The count follows the text as it is typed or pasted.
    connect(memo, &QPlainTextEdit::textChanged, count,
        [memo, count] { count->setText(countText(codesOfMemo(memo))); });

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
        // Tool buttons are as wide as their captions, so the row fits a narrow window.
        const QString caption = QString::fromUtf8(entry.caption);
        auto* button = new QToolButton(box);
        button->setText(caption);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setMinimumWidth(std::max(56, button->sizeHint().width()));
        button->setFocusPolicy(Qt::StrongFocus);
        const NumberTool tool = entry.tool;
        QAction* action = addPageCommand(caption, [this, tool, caption] { runTool(tool, caption); });
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        content->addWidget(button);
    }
    content->addStretch(1);
    return box;
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
    NumberToolInputs in;
    if (info.input == NumberToolInput::Digits) {
        const std::optional<DigitSet> parsed = parseDigitList(toStdString(m_digits->text()));
        if (!parsed) {
            platform().showMessage(this, QString::fromUtf8(kBadDigitsText));
            m_digits->setFocus();
            return;
        }
        in.digits[0] = *parsed;
    } else {
        in.a = codesOfMemo(m_memoA);
        if (info.input == NumberToolInput::TwoLists)
            in.b = codesOfMemo(m_memoB);
    }
    m_result = runNumberTool(tool, in);
    m_leadingText = info.leadingText;
    m_resultMemo->setPlainText(resultMemoText(m_leadingText, m_result));
    const int count = codeSetCount(m_result);
    m_resultCount->setText(QStringLiteral("%1注，%2元").arg(count).arg(count * kBetPrice));
    emit statusTextChanged(caption + QStringLiteral("：") + toQString(resultHeader(m_leadingText, m_result)));
}

void NumberToolsPage::useResultAsA() { showList(List::A, m_result, QStringLiteral("取自结果，共")); }

} // namespace velmora
