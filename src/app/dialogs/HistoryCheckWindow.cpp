#include "app/dialogs/HistoryCheckWindow.h"

#include "app/HistoryDocument.h"
#include "app/UiSupport.h"
#include "app/dialogs/BacktestDrawModel.h"
#include "app/dialogs/BacktestUnitModel.h"
#include "app/platform/Platform.h"
#include "core/code/Code.h"
#include "core/io/TextFile.h"
#include "core/io/TextFormat.h"

#include <QAbstractTableModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace velmora {

namespace {

QTableView* makeTable(QWidget* parent, const QString& name, QAbstractTableModel* model)
{
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->setVisible(false);
    // Rows as tall as the text needs and no more (the style's minimum is taller).
    table->verticalHeader()->setMinimumSectionSize(table->fontMetrics().height());
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 2);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// A titled box holding a table and its export button at the bottom right.
QGroupBox* makeTableBox(QWidget* parent, const QString& title, QTableView* table, QPushButton* exportButton)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    // Tight, so that docked in a 900-pixel window each table shows ten rows.
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(table);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    layout->addLayout(buttons);
    return box;
}

} // namespace

HistoryCheckWindow::HistoryCheckWindow(Platform& platform, const HistoryDocument& history, QWidget* parent)
    : ToolWindow(platform, QStringLiteral("windows/historyCheckFloats"), parent)
    , m_platform(platform)
    , m_history(history)
{
    setObjectName(QStringLiteral("HistoryCheckWindow"));
    setWindowTitle(QStringLiteral("历史验证"));
    setFont(appFont());
    auto* body = new QWidget(this);
    setWidget(body);
    resize(kDesignSize);

    m_drawCountEdit = new QSpinBox(body);
    m_drawCountEdit->setObjectName(QStringLiteral("drawCountEdit"));
    m_drawCountEdit->setRange(1, 99999);
    m_drawCountEdit->setValue(kDefaultDrawCount);
    m_drawCountEdit->setMinimumWidth(80);
    m_summaryLabel = new QLabel(body);
    m_summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    m_summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_drawModel = new BacktestDrawModel(m_history.records(), m_draws, this);
    m_unitModel = new BacktestUnitModel(m_units, this);
    m_drawTable = makeTable(body, QStringLiteral("drawTable"), m_drawModel);
    m_unitTable = makeTable(body, QStringLiteral("unitTable"), m_unitModel);
    m_exportDrawsButton = new QPushButton(QStringLiteral("导出CSV"), body);
    m_exportDrawsButton->setObjectName(QStringLiteral("exportDrawsButton"));
    m_exportUnitsButton = new QPushButton(QStringLiteral("导出CSV"), body);
    m_exportUnitsButton->setObjectName(QStringLiteral("exportUnitsButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("验证最近"), body));
    top->addWidget(m_drawCountEdit);
    top->addWidget(new QLabel(QStringLiteral("期"), body));
    top->addStretch();

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(m_summaryLabel);
    layout->addWidget(makeTableBox(body, QStringLiteral("开奖号验证"), m_drawTable, m_exportDrawsButton), 1);
    layout->addWidget(makeTableBox(body, QStringLiteral("条件统计"), m_unitTable, m_exportUnitsButton), 1);

    connect(m_drawCountEdit, &QSpinBox::valueChanged, this, [this] { rerun(); });
    connect(&m_history, &HistoryDocument::changed, this, [this] {
        if (m_history.revision() != m_historyRevision)
            rerun();
    });
    connect(m_exportDrawsButton, &QPushButton::clicked, this, [this] {
        exportCsv(backtestDrawsCsv(m_draws, m_history.records()), QStringLiteral("历史验证-开奖号.csv"));
    });
    connect(m_exportUnitsButton, &QPushButton::clicked, this,
        [this] { exportCsv(backtestUnitsCsv(m_units), QStringLiteral("历史验证-条件.csv")); });
    rerun();
}

HistoryCheckWindow::~HistoryCheckWindow() = default;

void HistoryCheckWindow::setConditions(const FilterConditions& conditions, const Tolerance& tolerance)
{
    if (conditions == m_conditions && tolerance == m_tolerance)
        return;
    m_conditions = conditions;
    m_tolerance = tolerance;
    rerun();
}

QString HistoryCheckWindow::summaryText() const { return m_summaryLabel->text(); }

void HistoryCheckWindow::showBeside(const QWidget& anchor)
{
    if (!isVisible()) {
        const QScreen* screen = anchor.screen();
        const QRect area = screen ? screen->availableGeometry() : anchor.frameGeometry();
        const QRect owner = anchor.frameGeometry();
        // The design size, or what the tables and buttons need when that is more; the
        // frame, unknown until the window is shown, taken to be the anchor's.
        const QSize wanted = kDesignSize.expandedTo(minimumSizeHint());
        const QSize frameExtra = owner.size() - anchor.size();
        const QPoint beside = placeBeside(owner, wanted + frameExtra, area);
        if (!floats(beside.x() == owner.right() + 1
                || beside.x() + wanted.width() + frameExtra.width() == owner.left())) {
            showDocked(wanted.width());
            activateWindow();
            return;
        }
        if (makeFloating() || !m_placed) {
            resize(wanted);
            m_placed = true;
            // Room for the title bar, which the window's own size leaves out.
            constexpr int kTitleRoom = 40;
            resize(width(),
                std::max(minimumSizeHint().height(), std::min(height(), area.height() - kTitleRoom)));
            move(placeBeside(owner, size() + frameExtra, area));
        }
    }
    show();
    raise();
    activateWindow();
}

void HistoryCheckWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    ToolWindow::keyPressEvent(event);
}

QPoint HistoryCheckWindow::placeBeside(const QRect& anchor, const QSize& size, const QRect& area)
{
    int left = anchor.right() + 1;
    if (left + size.width() > area.right() + 1) {
        left = anchor.left() - size.width();
        if (left < area.left())
            left = std::max(area.left(), area.right() + 1 - size.width());
    }
    const int top
        = std::clamp(anchor.top(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    return { left, top };
}

void HistoryCheckWindow::rerun()
{
    m_historyRevision = m_history.revision();
    m_draws = runBacktest(m_conditions, m_tolerance, m_history.records(), m_drawCountEdit->value());
    m_units = backtestUnitStats(m_draws);
    m_drawModel->reload();
    m_unitModel->reload();
    m_summaryLabel->setText(
        toQString(m_history.records().empty() ? std::string(kBacktestNoDataMessage)
                                              : backtestSummaryText(backtestSummary(m_draws))));
    m_exportDrawsButton->setEnabled(!m_draws.empty());
    m_exportUnitsButton->setEnabled(!m_draws.empty());
    const int widths[] = { 80, 62, 62, 54 };
    for (int col = 0; col < 4; ++col)
        m_drawTable->setColumnWidth(col, widths[col]);
    m_unitTable->setColumnWidth(0, 110);
    for (int col = 1; col < 5; ++col)
        m_unitTable->setColumnWidth(col, col < 4 ? 76 : 110);
}

void HistoryCheckWindow::exportCsv(const std::string& csv, const QString& initialName)
{
    const QString path
        = m_platform.saveFileName(this, QStringLiteral("CSV文件|*.csv"), QStringLiteral("csv"), initialName);
    if (path.isEmpty())
        return;
    try {
        // Spreadsheets read the Chinese headers only with the byte-order mark.
        writeFileAtomic(toStdString(path), std::string(kUtf8Bom) + csv);
    } catch (const std::exception& e) {
        m_platform.showWarning(this, toQString(e.what()));
    }
}

} // namespace velmora
