#include "app/pages/FilterPage.h"

#include "app/HistoryDocument.h"
#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/dialogs/ResultWindow.h"
#include "app/platform/Platform.h"
#include "core/filter/FilterEngine.h"
#include "core/filter/GameConditions.h"
#include "core/filter/RecentPanel.h"
#include "core/filter/Scheme.h"
#include "widgets/ColumnLabel.h"
#include "widgets/DigitSpinEdit.h"
#include "widgets/GroupBox.h"
#include "widgets/MultiCheck.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

constexpr int kPanelWidth = 764;
constexpr int kRecentPanelHeight = 96;
constexpr int kConditionPanelHeight = 596;

// Recent-draw panel. The rows' texts leave gaps for the hit controls at left 99
// and 330; the pieces of each text are placed around those controls (ColumnLabel),
// in a font one pixel smaller than the window's so that "个号" after the first
// control and the test-code piece before the second one both fit between them.
constexpr int kRecentLabelLeft = 16;
constexpr int kRecentLabelHeight = 16;
constexpr int kRecentHeaderTop = 1;
constexpr std::array<int, 3> kRecentLineTops = { 16, 32, 49 };
constexpr int kRecentFontPixels = 13;
constexpr int kDrawChkLeft = 99;
constexpr int kTestChkLeft = 330;
constexpr int kDrawChkRight = 219; // just after the last caption of the left control
constexpr int kTestChkRight = 450;
constexpr int kDrawPairsLeft = 496;
constexpr int kTestPairsLeft = 612;

// The tolerance's spin edits in the page's 29-pixel tool bar.
constexpr int kToleranceEditWidth = 44;
constexpr int kToleranceEditHeight = 23;
constexpr const char* kSchemeExtension = "vscheme.json";

ColumnLabel* makeColumnLabel(QWidget* parent, const QString& name, const QString& text, QRect bounds,
    const QVector<ColumnLabel::Stop>& stops)
{
    auto* label = new ColumnLabel(parent);
    label->setObjectName(name);
    label->setGeometry(bounds);
    label->setStops(stops);
    label->setText(text);
    return label;
}

// Stops of the recent-draw panel's labels, in the label's coordinates: the
// draw-code piece ends before the left hit control, "个号" follows it, the test-code
// piece ends before the right control, "个号" follows that, then the two pair
// columns. Without test codes their pieces and stops are left out.
ColumnLabel::Stop recentStop(int panelX, bool right) { return { panelX - kRecentLabelLeft, right }; }

QVector<ColumnLabel::Stop> recentLineStops(bool testCodes)
{
    if (!testCodes)
        return { recentStop(kDrawChkLeft + 1, true), recentStop(kDrawChkRight, false),
            recentStop(kDrawPairsLeft, false) };
    return { recentStop(kDrawChkLeft + 1, true), recentStop(kDrawChkRight, false),
        recentStop(kTestChkLeft + 1, true), recentStop(kTestChkRight, false),
        recentStop(kDrawPairsLeft, false), recentStop(kTestPairsLeft, false) };
}

QVector<ColumnLabel::Stop> recentHeaderStops(bool testCodes)
{
    if (!testCodes)
        return { recentStop(kDrawChkLeft + 1, true), recentStop(kDrawPairsLeft, false) };
    return { recentStop(kDrawChkLeft + 1, true), recentStop(kTestChkLeft + 1, true),
        recentStop(kDrawPairsLeft, false), recentStop(kTestPairsLeft, false) };
}

} // namespace

FilterPage::FilterPage(Platform& platform, ResultCommands& commands, const HistoryDocument& history,
    ResultWindow& resultWindow, QWidget* parent)
    : Page(platform, parent)
    , m_commands(commands)
    , m_history(&history)
    , m_resultWindow(resultWindow)
{
    setObjectName(QStringLiteral("filterPage"));
    QVBoxLayout* layout = makeWorkPageLayout();
    QAction* run = createToolBar();

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("panel"));
    // The panels are centred whenever the page's panel changes size.
    m_panel->installEventFilter(this);
    addScrolledContent(layout, m_panel, QSize(kPanelWidth, kRecentPanelHeight + kConditionPanelHeight));
    createAreas();
    createDecorations();
    createControls();
    // Made after the conditions so that it follows them in the Tab order, and the
    // first condition, not the tolerance, takes the focus when the page appears.
    toolBar()->insertWidget(run, makeToleranceRange());
    setConditions(FilterConditions());
    showGame();
}

QAction* FilterPage::createToolBar()
{
    addToolBarCommand(QStringLiteral("清除条件"), [this] { applyScheme(FilterConditions(), Tolerance()); });
    // The scheme keys work while the page is in front: its tool bar is visible only then.
    addToolBarCommand(QStringLiteral("载入方案"), [this] {
        loadScheme();
    })->setShortcut(Qt::CTRL | Qt::Key_O);
    addToolBarCommand(QStringLiteral("保存方案"), [this] {
        saveScheme();
    })->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    toolBar()->addSeparator();
    addResultCommands([this] { m_commands.exportResult(m_result, kShrinkLeadingText); },
        [this] { m_commands.checkPrize(m_resultWindow.memo()); },
        [this] { m_commands.printMemo(m_resultWindow.memo()); },
        [this] { m_commands.checkLatestDraw(m_resultWindow.memo()); });
    toolBar()->addSeparator();
    QAction* run = addToolBarCommand(QStringLiteral("号码缩水"), [this] { runFilter(); });
    run->setShortcut(kRunShortcut);
    QAction* viewResult = addToolBarCommand(QStringLiteral("查看结果"), [this] { toggleResultWindow(); });
    viewResult->setShortcut(kViewResultShortcut);
    toolBar()->addSeparator();
    addToolBarCommand(QStringLiteral("历史验证"), [this] { emit historyCheckRequested(); });
    return run;
}

// "容错 [MIN]–[MAX]": two spin edits of 0..kUnitCount.
QWidget* FilterPage::makeToleranceRange()
{
    auto* range = new QWidget(toolBar());
    range->setObjectName(QStringLiteral("toleranceRange"));
    auto* layout = new QHBoxLayout(range);
    layout->setContentsMargins(4, 0, 2, 0);
    layout->setSpacing(3);
    layout->addWidget(new QLabel(QStringLiteral("容错"), range));
    const auto makeEdit = [this, range, layout](const QString& name, bool isMax) {
        auto* edit = new DigitSpinEdit(0, kUnitCount, range);
        edit->setObjectName(name);
        edit->setFixedSize(kToleranceEditWidth, kToleranceEditHeight);
        layout->addWidget(edit);
        connect(edit, &DigitSpinEdit::textChanged, this, [this, isMax] {
            if (!m_settingControls)
                m_toleranceMaxEditedLast = isMax;
            noteConditionChange();
        });
        // Once the typing ends, both edits show the range that is used.
        connectCommand(edit, &DigitSpinEdit::editingFinished, [this] { setTolerance(tolerance()); });
        return edit;
    };
    m_toleranceMin = makeEdit(QStringLiteral("toleranceMinEdit"), false);
    layout->addWidget(new QLabel(QStringLiteral("–"), range));
    m_toleranceMax = makeEdit(QStringLiteral("toleranceMaxEdit"), true);
    return range;
}

void FilterPage::createAreas()
{
    m_recentPanel = new QWidget(m_panel);
    m_recentPanel->setObjectName(QStringLiteral("recentPanel"));
    m_recentPanel->setGeometry(0, 0, kPanelWidth, kRecentPanelHeight);

    m_conditionPanel = new QWidget(m_panel);
    m_conditionPanel->setObjectName(QStringLiteral("conditionPanel"));
    m_conditionPanel->setGeometry(0, kRecentPanelHeight, kPanelWidth, kConditionPanelHeight);
    struct Box {
        const char* name;
        QString title;
        QRect bounds;
    };
    const std::array<Box, 5> boxes = { { { "rangeBox", QStringLiteral("出号范围："), QRect(4, 0, 440, 116) },
        { "ratioBox", QStringLiteral("比例及和值："), QRect(4, 118, 440, 240) },
        { "hitBox", QStringLiteral("控制中奖号："), QRect(448, 0, 312, 152) },
        { "limitBox", QStringLiteral("定位限制："), QRect(448, 154, 312, 204) },
        { "shapeBox", QStringLiteral("形态条件："), QRect(4, 360, 756, 232) } } };
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        auto* box = new GroupBox(boxes[i].title, m_conditionPanel);
        box->setObjectName(QString::fromLatin1(boxes[i].name));
        box->setGeometry(boxes[i].bounds);
        m_groupBoxes[i] = box;
    }

    m_bottomPanel = new QWidget(m_panel);
    m_bottomPanel->setObjectName(QStringLiteral("bottomPanel"));
    m_bottomPanel->setGeometry(0, kConditionPanelHeight + 3, 200, 33);
    m_bottomPanel->hide();
}

QWidget* FilterPage::areaWidget(FilterArea area) const
{
    switch (area) {
    case FilterArea::RecentPanel:
        return m_recentPanel;
    case FilterArea::RangeBox:
        return m_groupBoxes[0];
    case FilterArea::RatioBox:
        return m_groupBoxes[1];
    case FilterArea::HitBox:
        return m_groupBoxes[2];
    case FilterArea::LimitBox:
        return m_groupBoxes[3];
    case FilterArea::ShapeBox:
        return m_groupBoxes[4];
    }
    return m_recentPanel;
}

// The texts that run behind the controls; made before the controls so that those
// stand above them.
void FilterPage::createDecorations()
{
    QFont font = appFont();
    font.setPixelSize(kRecentFontPixels);
    const QVector<ColumnLabel::Stop> lineStops = recentLineStops(true);
    const QVector<ColumnLabel::Stop> headerStops = recentHeaderStops(true);
    const auto recentBounds = [](int top) {
        return QRect(kRecentLabelLeft, top, kPanelWidth - kRecentLabelLeft, kRecentLabelHeight);
    };
    m_recentHeader = makeColumnLabel(m_recentPanel, QStringLiteral("recentHeader"), QString(),
        recentBounds(kRecentHeaderTop), headerStops);
    m_recentHeader->setFont(font);
    const std::array<QString, 3> lineNames = { QStringLiteral("thirdLatestDrawLine"),
        QStringLiteral("secondLatestDrawLine"), QStringLiteral("latestDrawLine") };
    for (std::size_t r = 0; r < m_recentLines.size(); ++r) {
        m_recentLines[r] = makeColumnLabel(
            m_recentPanel, lineNames[r], QString(), recentBounds(kRecentLineTops[r]), lineStops);
        m_recentLines[r]->setFont(font);
    }

    // "中出 [counts] 个号" around each hit group's count row.
    const QVector<ColumnLabel::Stop> hitStops = { { 118 - 88, true }, { 258 - 88, false } };
    const std::array<QString, 5> ordinals = { QStringLiteral("first"), QStringLiteral("second"),
        QStringLiteral("third"), QStringLiteral("fourth"), QStringLiteral("fifth") };
    for (std::size_t k = 0; k < ordinals.size(); ++k) {
        makeColumnLabel(areaWidget(FilterArea::HitBox), ordinals[k] + QStringLiteral("HitGroupCaption"),
            QStringLiteral("中出") + QString(20, QLatin1Char(' ')) + QStringLiteral("个号"),
            QRect(88, 24 + static_cast<int>(k) * 24, 200, 20), hitStops);
    }
    makeColumnLabel(areaWidget(FilterArea::LimitBox), QStringLiteral("digitRangeCaption"),
        QStringLiteral("号码范围：最小号      , 最大号"), QRect(8, 115, 220, 22),
        { { 0, false }, { 170, false } });
}

void FilterPage::createControls()
{
    auto* positionButtons = new QWidget(areaWidget(FilterArea::RangeBox));
    positionButtons->setObjectName(QStringLiteral("positionButtons"));
    positionButtons->setGeometry(352, 42, 84, 64);

    // The Tab key walks the page in the table's order, each position row followed
    // by its two buttons.
    std::vector<QWidget*> tabOrder;
    for (const FilterControlEntry& entry : filterControlEntries()) {
        QWidget* area = areaWidget(entry.area);
        if (!entry.label.isEmpty()) {
            auto* label = new QLabel(entry.label, area);
            label->setGeometry(entry.labelGeometry);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
        QWidget* control = makeFilterControl(entry, area);
        m_controls.push_back(control);
        connectChangeNotice(control);
        tabOrder.push_back(control);
        if (entry.position >= 0)
            for (QWidget* button :
                makePositionButtons(static_cast<MultiCheck*>(control), entry.position, positionButtons))
                tabOrder.push_back(button);
    }
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

// Every change of a condition is told, whatever the kind of control.
void FilterPage::connectChangeNotice(QWidget* control)
{
    if (auto* checkRow = qobject_cast<MultiCheck*>(control))
        connect(checkRow, &MultiCheck::checksChanged, this, &FilterPage::noteConditionChange);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        connect(edit, &QLineEdit::textChanged, this, &FilterPage::noteConditionChange);
    else if (auto* list = qobject_cast<QComboBox*>(control))
        connect(list, &QComboBox::currentIndexChanged, this, &FilterPage::noteConditionChange);
    else if (auto* number = qobject_cast<DigitSpinEdit*>(control))
        connect(number, &DigitSpinEdit::textChanged, this, &FilterPage::noteConditionChange);
}

// The "全选" and "清除" buttons of digit-position row 0 (hundreds) .. 2 (units).
std::array<QWidget*, 2> FilterPage::makePositionButtons(MultiCheck* row, int position, QWidget* parent)
{
    const std::array<QString, 3> positionNames
        = { QStringLiteral("hundreds"), QStringLiteral("tens"), QStringLiteral("units") };
    const QString& name = positionNames.at(static_cast<std::size_t>(position));
    std::array<QWidget*, 2> buttons {};
    for (const bool selectAll : { true, false }) {
        auto* button = new QToolButton(parent);
        button->setObjectName(name + (selectAll ? QStringLiteral("SelectAll") : QStringLiteral("Clear")));
        button->setText(selectAll ? QStringLiteral("全选") : QStringLiteral("清除"));
        button->setAutoRaise(true);
        button->setGeometry(selectAll ? 0 : 42, position * 22, 40, 20);
        connectCommand(button, &QToolButton::clicked, [row, selectAll] {
            if (selectAll)
                row->checkAll();
            else
                row->uncheckAll();
        });
        buttons[selectAll ? 0 : 1] = button;
    }
    return buttons;
}

FilterConditions FilterPage::conditions() const
{
    FilterConditions conditions;
    const auto& entries = filterControlEntries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        readFilterControl(entries[i], m_controls[i], entries[i].slot(conditions));
    return conditionsForGame(m_history->game(), conditions);
}

void FilterPage::setHistory(const HistoryDocument& history)
{
    // A result of another game's history is not this game's.
    if (&history.game() != &m_history->game()) {
        m_result = CodeSet {};
        emit resultCleared();
    }
    m_history = &history;
    showGame();
    if (isVisible())
        refreshView();
}

void FilterPage::showGame()
{
    const bool testCodes = m_history->game().hasTestCodes;
    const auto& entries = filterControlEntries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].condition == Condition::RecentTest)
            m_controls[i]->setVisible(testCodes);
    m_recentHeader->setStops(recentHeaderStops(testCodes));
    for (ColumnLabel* line : m_recentLines)
        line->setStops(recentLineStops(testCodes));
}

void FilterPage::setConditions(const FilterConditions& conditions) { applyScheme(conditions, tolerance()); }

Tolerance FilterPage::tolerance() const
{
    int min = std::clamp(m_toleranceMin->value(), 0, kUnitCount);
    int max = std::clamp(m_toleranceMax->value(), 0, kUnitCount);
    if (min > max) {
        if (m_toleranceMaxEditedLast)
            min = max;
        else
            max = min;
    }
    return { min, max };
}

void FilterPage::setTolerance(const Tolerance& tolerance) { applyScheme(conditions(), tolerance); }

void FilterPage::applyScheme(const FilterConditions& conditions, const Tolerance& tolerance)
{
    const FilterConditions conditionsBefore = this->conditions();
    const Tolerance toleranceBefore = this->tolerance();
    {
        const QScopedValueRollback<bool> quiet(m_settingControls, true);
        FilterConditions source = conditions;
        const auto& entries = filterControlEntries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            writeFilterControl(entries[i], m_controls[i], entries[i].slot(source));
        m_toleranceMin->setValue(tolerance.min);
        m_toleranceMax->setValue(tolerance.max);
    }
    if (this->conditions() != conditionsBefore || this->tolerance() != toleranceBefore)
        emit conditionsChanged();
}

void FilterPage::noteConditionChange()
{
    if (!m_settingControls)
        emit conditionsChanged();
}

void FilterPage::loadScheme()
{
    const QString path
        = platform().openFileName(this, toQString(kSchemeFileFilter), QString::fromLatin1(kSchemeExtension));
    if (path.isEmpty())
        return;
    // A file that cannot be read raises FileError, which the command shows.
    const SchemeReadResult read = readSchemeFileForGame(m_history->game(), toStdString(path));
    if (!read.ok()) {
        platform().showWarning(this, toQString(read.error));
        return;
    }
    applyScheme(read.scheme->conditions, read.scheme->tolerance);
    emit statusTextChanged(QStringLiteral("已载入方案") + QFileInfo(path).fileName());
}

void FilterPage::saveScheme()
{
    const QString extension = QString::fromLatin1(kSchemeExtension);
    const QString path = platform().saveFileName(
        this, toQString(kSchemeFileFilter), extension, QStringLiteral("缩水方案.") + extension);
    if (path.isEmpty())
        return;
    writeSchemeFile(toStdString(path), { conditions(), tolerance() });
    emit statusTextChanged(QStringLiteral("已保存方案") + QFileInfo(path).fileName());
}

void FilterPage::runFilter()
{
    const Tolerance tolerance = this->tolerance();
    m_result = runShrink(conditions(), m_history->records(), tolerance);
    QString status = toQString(shrinkStatusText(m_result));
    if (!tolerance.isPlain())
        status += QStringLiteral("（容错%1）").arg(toQString(toleranceText(tolerance)));
    emit statusTextChanged(status);
    emit resultChanged(m_result);
    showResultWindow();
}

void FilterPage::toggleResultWindow()
{
    if (m_resultWindow.isVisible())
        m_resultWindow.hide();
    else
        showResultWindow();
}

void FilterPage::showResultWindow()
{
    // Beside the main window, never over its tool bars (this page's is the lowest).
    const int toolBarsBottom = toolBar()->mapToGlobal(QPoint(0, toolBar()->height() - 1)).y();
    m_resultWindow.showBeside(window()->frameGeometry(), toolBarsBottom);
}

void FilterPage::refreshView()
{
    runCommand([this] { refreshRecentPanel(); });
}

void FilterPage::refreshRecentPanel()
{
    const RecentPanelTexts texts = buildRecentPanelTexts(m_history->game(), m_history->records());
    for (std::size_t r = 0; r < texts.rows.size(); ++r) {
        ColumnLabel* line = m_recentLines.at(r);
        line->move(kRecentLabelLeft, line->y());
        line->setText(toQString(texts.rows[r]));
    }
    m_recentHeader->setText(toQString(texts.header));
}

void FilterPage::layOutPanels()
{
    const int width = m_panel->width();
    m_conditionPanel->move((width - m_conditionPanel->width()) / 2, m_conditionPanel->y());
    m_bottomPanel->move((width - m_bottomPanel->width()) / 2, m_conditionPanel->height() + 3);
    m_recentPanel->move((width - m_recentPanel->width()) / 2, m_recentPanel->y());
}

bool FilterPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        layOutPanels();
    return Page::eventFilter(watched, event);
}

void FilterPage::showEvent(QShowEvent* event)
{
    refreshView();
    Page::showEvent(event);
}

} // namespace velmora
