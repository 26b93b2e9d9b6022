#include "app/pages/TicketsPage.h"

#include "app/UiSupport.h"
#include "app/dialogs/AddTicketDialog.h"
#include "app/pages/TicketTableModel.h"
#include "app/platform/Platform.h"
#include "core/draw/AppPaths.h"
#include "core/io/TextFile.h"
#include "core/io/TextFormat.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/TicketText.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace velmora {

namespace {

QLineEdit* makeIssueEdit(QWidget* parent, const QString& name, const QString& placeholder)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    edit->setMaxLength(7);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    return edit;
}

} // namespace

TicketsPage::TicketsPage(Platform& platform, const QString& ledgerPath, HistoryFn history, QWidget* parent)
    : Page(platform, parent)
    , m_ledgerPath(ledgerPath)
    , m_history(std::move(history))
{
    setObjectName(QStringLiteral("TicketsPage"));
    QVBoxLayout* layout = makeWorkPageLayout();
    addToolBarCommand(QStringLiteral("添加投注"), [this] { addTicket(); });
    addToolBarCommand(QStringLiteral("删除"), [this] {
        removeSelected();
    })->setShortcut(QKeySequence::Delete);
    addToolBarCommand(QStringLiteral("导出CSV"), [this] { exportCsv(); });

    // The content keeps its designed size and scrolls in a smaller window.
    auto* content = new QWidget(this);
    m_from = makeIssueEdit(content, QStringLiteral("fromEdit"), QStringLiteral("最早"));
    m_to = makeIssueEdit(content, QStringLiteral("toEdit"), QStringLiteral("最新"));
    m_totalsLabel = new QLabel(content);
    m_totalsLabel->setObjectName(QStringLiteral("totalsLabel"));
    m_longRunLabel = new QLabel(content);
    m_longRunLabel->setObjectName(QStringLiteral("longRunLabel"));
    // Grey as the palette greys its hints, light or dark.
    m_longRunLabel->setForegroundRole(QPalette::PlaceholderText);
    for (QLineEdit* edit : { m_from, m_to })
        connectCommand(edit, &QLineEdit::editingFinished, [this] { refreshView(); });

    m_model = new TicketTableModel(this);
    m_table = new QTableView(content);
    m_table->setObjectName(QStringLiteral("ticketTable"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = { 44, 66, 40, 40, 40, 54, 50, 50, 60 };
    for (int col = 0; col < static_cast<int>(std::size(widths)); ++col)
        m_table->setColumnWidth(col, widths[col]);

    m_profitSeries = new QLineSeries(this);
    m_profitSeries->setName(QStringLiteral("累计盈亏"));
    m_averageSeries = new QLineSeries(this);
    m_averageSeries->setName(QStringLiteral("按长期平均回报的累计盈亏"));
    m_chart = new QChart;
    m_chart->addSeries(m_profitSeries);
    m_chart->addSeries(m_averageSeries);
    auto* xAxis = new QValueAxis(m_chart);
    xAxis->setTitleText(QStringLiteral("已开奖期数（按期号顺序）"));
    xAxis->setLabelFormat(QStringLiteral("%d"));
    xAxis->setTickType(QValueAxis::TicksDynamic);
    xAxis->setTickAnchor(0);
    auto* yAxis = new QValueAxis(m_chart);
    yAxis->setTitleText(QStringLiteral("元"));
    yAxis->setLabelFormat(QStringLiteral("%d"));
    m_chart->addAxis(xAxis, Qt::AlignBottom);
    m_chart->addAxis(yAxis, Qt::AlignLeft);
    for (QLineSeries* series : { m_profitSeries, m_averageSeries }) {
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    m_chart->legend()->setAlignment(Qt::AlignTop);
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    m_chartView = new QChartView(m_chart, content);
    m_chartView->setObjectName(QStringLiteral("profitChart"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(180);

    auto* rangeRow = new QHBoxLayout;
    rangeRow->setContentsMargins(8, 4, 8, 4);
    rangeRow->addWidget(new QLabel(QStringLiteral("期号从"), content));
    rangeRow->addWidget(m_from);
    rangeRow->addWidget(new QLabel(QStringLiteral("到"), content));
    rangeRow->addWidget(m_to);
    rangeRow->addSpacing(12);
    // The totals above what the game returns on average, so that the page keeps
    // the window's width.
    auto* totals = new QVBoxLayout;
    totals->setSpacing(0);
    totals->addWidget(m_totalsLabel);
    totals->addWidget(m_longRunLabel);
    rangeRow->addLayout(totals);
    rangeRow->addStretch();
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(rangeRow);
    column->addWidget(m_table, 3);
    column->addWidget(m_chartView, 2);
    addScrolledContent(layout, content, QSize(640, 440));

    m_primed = !m_history().empty();
}

IssueRange TicketsPage::range() const
{
    IssueRange range;
    // A bound that is not seven digits leaves its end open.
    if (const std::optional<int> from = parseIssueKey(toStdString(m_from->text().trimmed())))
        range.from = *from;
    if (const std::optional<int> to = parseIssueKey(toStdString(m_to->text().trimmed())))
        range.to = *to;
    return range;
}

void TicketsPage::refreshView()
{
    std::vector<Ticket> tickets = readLedger(toStdString(m_ledgerPath), range());
    std::vector<TicketResult> results = settleTickets(tickets, m_history());
    m_totals = ledgerTotals(tickets, results);
    m_totalsLabel->setText(toQString(ledgerTotalsText(m_totals)));
    m_longRunLabel->setText(toQString(longRunReturnText(m_totals)));
    showChart(cumulativeProfit(tickets, results));
    m_model->setTickets(std::move(tickets), std::move(results));
}

void TicketsPage::showChart(const std::vector<ProfitPoint>& points)
{
    // Both lines start at nothing staked and nothing won.
    QList<QPointF> profit { QPointF(0, 0) };
    QList<QPointF> average { QPointF(0, 0) };
    double low = 0;
    double high = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto x = static_cast<double>(i + 1);
        profit << QPointF(x, static_cast<double>(points[i].profit));
        average << QPointF(x, static_cast<double>(points[i].expectedProfitMilli) / 1000.0);
        low = std::min({ low, profit.back().y(), average.back().y() });
        high = std::max({ high, profit.back().y(), average.back().y() });
    }
    m_profitSeries->replace(profit);
    m_averageSeries->replace(average);
    const auto axes = m_chart->axes();
    auto* xAxis = static_cast<QValueAxis*>(axes.at(0));
    const int issues = std::max(1, static_cast<int>(points.size()));
    xAxis->setRange(0, issues);
    // Whole issues only, about eight ticks whatever their number.
    xAxis->setTickInterval(std::max(1, (issues + 7) / 8));
    auto* yAxis = static_cast<QValueAxis*>(axes.at(1));
    const double margin = std::max(1.0, (high - low) / 10);
    yAxis->setRange(low - margin, high + margin);
    yAxis->applyNiceNumbers();
}

void TicketsPage::addTicket(const CodeSet& codes)
{
    AddTicketDialog dialog(m_history(), platform().now().date().year(), this);
    if (codeSetCount(codes) > 0)
        dialog.setCodes(codes);
    if (platform().runDialog(dialog) != QDialog::Accepted)
        return;
    Ticket ticket = dialog.ticket();
    const std::string path = toStdString(m_ledgerPath);
    createDataFolder(path);
    ticket.id = Ledger(path, Ledger::OpenMode::Create).add(ticket);
    refreshView();
    emit statusTextChanged(toQString(ticketAddedText(ticket)));
}

void TicketsPage::removeSelected()
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid()) {
        platform().showMessage(this, QStringLiteral("请先在表中选择要删除的投注。"));
        return;
    }
    const std::string id = std::to_string(m_model->ticketAt(current.row()).id);
    if (!platform().confirm(this, QStringLiteral("确定删除第%1号投注吗？").arg(toQString(id))))
        return;
    Ledger(toStdString(m_ledgerPath), Ledger::OpenMode::Existing).remove(std::stoll(id));
    refreshView();
    emit statusTextChanged(toQString(ticketRemovedText(id)));
}

void TicketsPage::exportCsv()
{
    const QString fileName
        = platform().saveFileName(this, QStringLiteral("CSV文件|*.csv"), QStringLiteral("csv"), QString());
    if (fileName.isEmpty())
        return;
    const std::vector<Ticket> tickets = readLedger(toStdString(m_ledgerPath), range());
    writeFileAtomic(toStdString(fileName),
        std::string(kUtf8Bom) + ticketsListCsv(tickets, settleTickets(tickets, m_history())));
    emit statusTextChanged(QStringLiteral("已导出%1张投注：%2").arg(tickets.size()).arg(fileName));
}

void TicketsPage::historyChanged(const std::vector<DrawRecord>& changedDraws)
{
    const DrawHistory& now = m_history();
    // The first history is the one the window starts with: nothing new was drawn.
    const std::vector<int> issues = m_primed ? issueKeysOf(changedDraws) : std::vector<int> {};
    m_primed = true;
    if (!issues.empty()) {
        try {
            const std::string message = settlementMessage(readLedger(toStdString(m_ledgerPath)), now, issues);
            if (!message.empty())
                reportLater(toQString(message));
        } catch (const FileError& error) {
            reportLater(QString::fromUtf8(error.what()));
        }
    }
    if (isVisible())
        runCommand([this] { refreshView(); });
}

void TicketsPage::reportLater(const QString& text)
{
    // After the command that changed the history has said its own words (保存文档完毕).
    QTimer::singleShot(0, this, [this, text] { emit statusTextChanged(text); });
}

void TicketsPage::showEvent(QShowEvent* event)
{
    Page::showEvent(event);
    runCommand([this] { refreshView(); });
}

} // namespace velmora
