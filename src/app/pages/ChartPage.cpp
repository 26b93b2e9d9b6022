#include "app/pages/ChartPage.h"

#include "app/HistoryDocument.h"
#include "app/UiSupport.h"
#include "app/pages/BadDataNotice.h"
#include "app/platform/Platform.h"
#include "core/game/Game.h"
#include "widgets/ChartSpinEdit.h"
#include "widgets/ColumnLabel.h"
#include "widgets/GridView.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace velmora {

namespace {

// How each chart kind's page looks, keyed by the kind's name.
struct ChartPageLook {
    const char* kind;
    const char* caption;
    const char* queryText;
    int queryTextWidth;
    int queryButtonLeft;
    const char* legend; // null: no legend panel
    int border;
};

constexpr const char* kOddEvenLegend = "    1、组选：A、全偶；B、两偶一奇；C、一偶两奇；D、全奇。\n"
                                       "    2、单选：A、偶偶偶；B、偶偶奇；C、偶奇偶；D、偶奇奇；E、奇偶偶；"
                                       "F、奇偶奇；G、奇奇偶；H、奇奇奇 。";
constexpr const char* kBigSmallLegend = "    1、组选：A、全小；B、两小一大；C、一小两大；D、全大。\n"
                                        "    2、单选：A、小小小；B、小小大；C、小大小；D、小大大；E、大小小；"
                                        "F、大小大；G、大大小；H、大大大 。";

constexpr ChartPageLook kLooks[] = {
    { "trend", "3D走势图", "统计最近         期的走势情况", 203, 218, nullptr, 0 },
    { "kline", "K线分布图", "统计最近         期的K线分布情况", 224, 242, nullptr, 0 },
    { "sum", "和值分布图", "统计最近         期的和值分布情况", 231, 242, nullptr, 0 },
    { "tail", "合值分布图", "统计最近         期的合值分布情况", 231, 250, nullptr, 2 },
    { "oddeven", "奇偶走势图", "统计最近         期的奇偶走势情况", 231, 250, kOddEvenLegend, 0 },
    { "bigsmall", "大小走势图", "统计最近         期的大小走势情况", 231, 250, kBigSmallLegend, 0 },
    { "omission", "遗漏统计表", "统计最近         期的遗漏情况", 203, 218, nullptr, 0 },
};

const ChartPageLook& lookOf(const ChartKind& kind)
{
    const auto* look = std::find_if(std::begin(kLooks), std::end(kLooks),
        [&kind](const ChartPageLook& entry) { return std::strcmp(entry.kind, kind.name) == 0; });
    return look != std::end(kLooks) ? *look : kLooks[0];
}

// Design geometry of the query panel's controls.
constexpr int kPanelHeight = 33;
constexpr int kLabelLeft = 7;
constexpr int kLabelTop = 10;
constexpr int kSpinLeft = 72;
constexpr int kSpinTop = 5;
constexpr int kSpinWidth = 44;
constexpr int kSpinHeight = 23;
constexpr int kButtonWidth = 57;
constexpr int kButtonHeight = 22;
constexpr int kLegendLeft = 55;
constexpr int kLegendTop = 2;
// The quick counts beside 查询: width, gap before the first and between them.
constexpr int kQuickButtonWidth = 44;
constexpr int kQuickGap = 8;
constexpr int kQuickSpacing = 2;
// The quick counts with their keys; 0 is the whole history.
struct QuickCount {
    int count;
    const char* caption;
    QKeyCombination key;
};
constexpr QuickCount kQuickCounts[] = {
    { 30, "30", QKeyCombination(Qt::ALT, Qt::Key_3) },
    { 50, "50", QKeyCombination(Qt::ALT, Qt::Key_5) },
    { 100, "100", QKeyCombination(Qt::ALT, Qt::Key_1) },
    { 0, "全部", QKeyCombination(Qt::ALT, Qt::Key_A) },
};
// Room kept on each side of the spin edit inside the caption's blanks.
constexpr int kSpinMargin = 4;
// The chart's least height before the page scrolls: a few rows.
constexpr int kChartMinHeight = 100;

QFrame* makePanel(QWidget* page, const QString& name, bool raised)
{
    auto* panel = new QFrame(page);
    panel->setObjectName(name);
    panel->setFixedHeight(kPanelHeight);
    if (raised)
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

// Places the caption, the spin edit and the button as designed where the fonts allow:
// the spin edit stands in the caption's blanks, which the fonts here draw narrower than
// the design's (word spacing does not widen blanks between Han characters), so the rest
// of the caption moves past the spin edit; the button keeps its designed distance from
// the caption's end.
void layOutQueryPanel(ColumnLabel* label, ChartSpinEdit* spin, QPushButton* button, const ChartPageLook& look)
{
    const int spinWidth = std::max(kSpinWidth, spin->sizeHint().width());
    const int spinHeight = std::max(kSpinHeight, std::min(kPanelHeight - 4, spin->sizeHint().height()));
    const int spinTop = std::min(kSpinTop, (kPanelHeight - spinHeight) / 2);
    const int gapLeft = kLabelLeft + label->pieceRect(0).width();
    const int spinLeft = std::max(kSpinLeft, gapLeft + kSpinMargin);
    const QString caption = label->text();
    const int blanksEnd
        = label->fontMetrics().horizontalAdvance(caption.left(caption.lastIndexOf(QLatin1Char(' ')) + 1));
    label->setStops(
        { { 0, false }, { std::max(spinLeft + spinWidth + kSpinMargin - kLabelLeft, blanksEnd), false } });
    spin->setGeometry(spinLeft, spinTop, spinWidth, spinHeight);

    const QSize labelSize = label->sizeHint();
    const int spinMiddle = spinTop + spinHeight / 2;
    label->setGeometry(kLabelLeft, std::min(kLabelTop, spinMiddle - labelSize.height() / 2),
        std::max(look.queryTextWidth, labelSize.width()), labelSize.height());

    const int designGap = look.queryButtonLeft - (kLabelLeft + look.queryTextWidth);
    const int buttonLeft = std::max(look.queryButtonLeft, kLabelLeft + labelSize.width() + designGap);
    const int buttonHeight = std::max(kButtonHeight, spinHeight - 1);
    button->setGeometry(buttonLeft, spinMiddle - buttonHeight / 2, kButtonWidth, buttonHeight);
}

// The legend's two lines; the panel grows when the font's lines need more than its 33 pixels.
void layOutLegend(QWidget* panel, QLabel* legend)
{
    const QSize size = legend->sizeHint();
    panel->setFixedHeight(std::max(kPanelHeight, kLegendTop + size.height() + 3));
    legend->setGeometry(kLegendLeft, kLegendTop, size.width(), size.height());
}

} // namespace

ChartPage::ChartPage(
    Platform& platform, const ChartKind& kind, const HistoryDocument& history, QWidget* parent)
    : Page(platform, parent)
    , m_kind(kind)
    , m_history(&history)
{
    setObjectName(QString::fromLatin1(kind.name) + QStringLiteral("ChartPage"));
}

void ChartPage::showEvent(QShowEvent* event)
{
    makeContentOnShow(event, [this] { build(); });
}

void ChartPage::build()
{
    if (m_chart)
        return;
    const ChartPageLook& look = lookOf(m_kind);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(look.border, look.border, look.border, look.border);
    layout->setSpacing(0);

    QFrame* queryPanel = makePanel(content, QStringLiteral("queryPanel"), true);
    layout->addWidget(queryPanel);
    auto* label = new ColumnLabel(queryPanel);
    label->setObjectName(QStringLiteral("queryCaption"));
    label->setText(QString::fromUtf8(look.queryText));
    m_drawCount = new ChartSpinEdit(queryPanel);
    m_drawCount->setObjectName(QStringLiteral("drawCountEdit"));
    auto* button = new QPushButton(QStringLiteral("查询"), queryPanel);
    button->setObjectName(QStringLiteral("queryButton"));
    layOutQueryPanel(label, m_drawCount, button, look);
    connectCommand(button, &QPushButton::clicked, [this] { buildChart(false); });
    // Enter in the count runs 查询, a count above the history's included.
    connectCommand(m_drawCount, &ChartSpinEdit::returnPressed, [this] { buildChart(false); });
    QWidget* lastButton = button;
    int quickLeft = button->geometry().right() + 1 + kQuickGap;
    for (const QuickCount& quick : kQuickCounts) {
        auto* quickButton = new QPushButton(QString::fromUtf8(quick.caption), queryPanel);
        quickButton->setObjectName(
            QStringLiteral("quick") + QString::fromUtf8(quick.count > 0 ? quick.caption : "All"));
        quickButton->setGeometry(quickLeft, button->y(), kQuickButtonWidth, button->height());
        quickLeft += kQuickButtonWidth + kQuickSpacing;
        const QString text
            = quick.count > 0 ? QStringLiteral("最近%1期").arg(quick.count) : QStringLiteral("全部各期");
        QAction* action = addPageCommand(text, [this, count = quick.count] { queryCount(count); });
        action->setShortcut(quick.key);
        quickButton->setToolTip(text + QStringLiteral("（")
            + action->shortcut().toString(QKeySequence::NativeText) + QStringLiteral("）"));
        connect(quickButton, &QPushButton::clicked, action, &QAction::trigger);
        lastButton = quickButton;
    }

    m_badData = new BadDataNotice(*m_history, content);
    layout->addWidget(m_badData);
    connect(m_badData, &BadDataNotice::fixed, this, [this] {
        if (isVisible())
            refresh();
    });

    m_chart = new GridView(content);
    m_chart->setObjectName(QStringLiteral("chart"));
    connect(m_chart, &GridView::messageRaised, this,
        [this](const QString& text) { Page::platform().showWarning(this, text); });
    layout->addWidget(m_chart, 1);

    // The query panel's controls and the legend in full, and a few rows of the chart.
    QSize designSize(lastButton->geometry().right() + kLabelLeft, queryPanel->height() + kChartMinHeight);
    if (look.legend) {
        QFrame* legendPanel = makePanel(content, QStringLiteral("legendPanel"), false);
        auto* legend = new QLabel(QString::fromUtf8(look.legend), legendPanel);
        legend->setObjectName(QStringLiteral("legend"));
        layOutLegend(legendPanel, legend);
        layout->addWidget(legendPanel);
        designSize = QSize(std::max(designSize.width(), legend->geometry().right() + kLegendLeft),
            designSize.height() + legendPanel->height());
    }
    addScrolledContent(outer, content, designSize + QSize(2 * look.border, 2 * look.border));
}

QString ChartPage::caption() const
{
    // "3D" in a caption is the game: the other game's pages name theirs.
    QString text = QString::fromUtf8(lookOf(m_kind).caption);
    if (&m_history->game() != &game3d())
        text.replace(QStringLiteral("3D"), toQString(std::string(m_history->game().name)));
    return text;
}

void ChartPage::refresh()
{
    build();
    runCommand([this] { buildChart(true); });
}

void ChartPage::queryCount(int count)
{
    build();
    m_drawCount->setValue(count > 0 ? count : static_cast<int>(m_history->records().size()));
    buildChart(false);
}

void ChartPage::buildChart(bool messageAfterShow)
{
    // The records are those before the text went wrong: the page waits, its count kept.
    m_chart->setVisible(!m_badData->active());
    if (m_badData->active())
        return;
    const int wanted = m_drawCount->value();
    QStringList messages;
    const int built = m_kind.build(m_chart->model(), m_history->records(), wanted,
        [this, messageAfterShow, &messages](const std::string& message) {
            if (messageAfterShow)
                messages << toQString(message);
            else
                platform().showWarning(this, toQString(message));
        });
    if (built != wanted)
        m_drawCount->setValue(built);
    // A modal box inside the show event would stand over a page not yet painted.
    if (!messages.isEmpty()) {
        QTimer::singleShot(0, this, [this, messages] {
            for (const QString& message : messages)
                platform().showWarning(this, message);
        });
    }
}

void ChartPage::setHistory(const HistoryDocument& history)
{
    m_history = &history;
    if (m_badData)
        m_badData->setHistory(history);
}

} // namespace velmora
