#include "app/pages/NumberToolsPage.h"

#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/code/CodeSetText.h"
#include "core/draw/DrawText.h"
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
    content->setContentsMargins(8, box->fontMetrics().height() + 2, 8, 8);
    content->setSpacing(4);
    box->setLayout(content);
    return box;
}

// A memo ten codes ("ddd,") wide besides its scroll bar, in a laid-out box.
QPlainTextEdit* makeListMemo(QWidget* parent, const QString& name)
{
    QPlainTextEdit* memo = makeCodeMemo(parent, name);
    const int text = memo->fontMetrics().horizontalAdvance(QStringLiteral("000,")) * 10;
    memo->setMinimumSize(text + 2 * memo->frameWidth() + 24, 60);
    return memo;
}

QString countText(const CodeSet& codes) { return QStringLiteral("总共%1注号码").arg(codeSetCount(codes)); }

CodeSet codesOfMemo(const QPlainTextEdit* memo)
{
    CodeSet codes;
    linesToCodeSet(memoLines(memo), codes);
    return codes;
}

} // namespace

NumberToolsPage::NumberToolsPage(Platform& platform, ResultCommands& commands, QWidget* parent)
    : Page(platform, parent)
    , m_commands(commands)
{
    setObjectName(QStringLiteral("numberToolsPage"));
    QVBoxLayout* layout = makeWorkPageLayout();
    QAction* exportResult = addToolBarCommand(
        QStringLiteral("导出结果"), [this] { m_commands.exportResult(m_result, m_leadingText, true); });
    QAction* checkPrize
        = addToolBarCommand(QStringLiteral("结果兑奖"), [this] { m_commands.checkPrize(m_resultMemo); });
    QAction* printResult
        = addToolBarCommand(QStringLiteral("打印结果"), [this] { m_commands.printMemo(m_resultMemo); });
    setResultShortcuts(exportResult, checkPrize, printResult);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel"));
    auto* columns = new QHBoxLayout(panel);
    columns->setContentsMargins(8, 6, 8, 6);
    columns->setSpacing(8);
    auto* lists = new QVBoxLayout;
    lists->setSpacing(6);
    lists->addWidget(createListBox(List::A), 1);
    lists->addWidget(createListBox(List::B), 1);
    columns->addLayout(lists, 1);
    columns->addWidget(createToolBox());
    columns->addWidget(createResultBox(), 1);
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
    head->addWidget(count, 1);

    auto* take = new QToolButton(box);
    take->setObjectName(QStringLiteral("take%1Button").arg(letter));
    take->setText(QStringLiteral("取自"));
    take->setPopupMode(QToolButton::InstantPopup);
    take->setMenu(new QMenu(take));
    take->setFocusPolicy(Qt::StrongFocus);
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
    auto* content = new QVBoxLayout;
    GroupBox* box = makeBox(QStringLiteral("操作："), QStringLiteral("toolBox"), this, content);
    const auto addTool = [this, box, content](const ToolButton& entry) {
        const QString caption = QString::fromUtf8(entry.caption);
        auto* button = new QPushButton(caption, box);
        button->setObjectName(QString::fromLatin1(entry.name));
        const NumberTool tool = entry.tool;
        QAction* action = addPageCommand(caption, [this, tool, caption] { runTool(tool, caption); });
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        content->addWidget(button);
    };
    for (const ToolButton& entry : kToolButtons) {
        if (entry.tool == NumberTool::Group6) {
            content->addSpacing(10);
            auto* caption = new QLabel(QStringLiteral("包号数字："), box);
            content->addWidget(caption);
            m_digits = new QLineEdit(box);
            m_digits->setObjectName(QStringLiteral("digitsEdit"));
            m_digits->setPlaceholderText(QStringLiteral("如 0369"));
            m_digits->setMaxLength(40);
            caption->setBuddy(m_digits);
            content->addWidget(m_digits);
        } else if (entry.tool == NumberTool::Intersect) {
            content->addSpacing(10);
        }
        addTool(entry);
    }
    content->addStretch(1);
    box->setFixedWidth(box->sizeHint().width() + 8);
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
    CodeSet codes;
    linesToCodeSet(splitLines(readTextFile(toStdString(path))), codes);
    showList(list, codes, QStringLiteral("从文件") + QFileInfo(path).fileName() + QStringLiteral("导入"));
}

void NumberToolsPage::takeFrom(List list, const ResultSource& source)
{
    showList(list, source.codes(), QStringLiteral("取自") + source.name + QStringLiteral("，共"));
}

void NumberToolsPage::runTool(NumberTool tool, const QString& caption)
{
    const NumberToolInfo& info = numberToolInfo(tool);
    DigitSet digits;
    CodeSet a;
    CodeSet b;
    if (info.input == NumberToolInput::Digits) {
        const std::optional<DigitSet> parsed = parseDigitList(toStdString(m_digits->text()));
        if (!parsed) {
            platform().showMessage(this, QString::fromUtf8(kBadDigitsText));
            m_digits->setFocus();
            return;
        }
        digits = *parsed;
    } else {
        a = codesOfMemo(m_memoA);
        if (info.input == NumberToolInput::TwoLists)
            b = codesOfMemo(m_memoB);
    }
    m_result = runNumberTool(tool, a, b, digits);
    m_leadingText = info.leadingText;
    m_resultMemo->setPlainText(resultMemoText(m_leadingText, m_result));
    const int count = codeSetCount(m_result);
    m_resultCount->setText(QStringLiteral("%1注，%2元").arg(count).arg(count * kBetPrice));
    emit statusTextChanged(caption + QStringLiteral("：") + toQString(resultHeader(m_leadingText, m_result)));
}

void NumberToolsPage::useResultAsA() { showList(List::A, m_result, QStringLiteral("取自结果，共")); }

} // namespace velmora
