#include "app/pages/TicketsPage.h"

#include "app/UiSupport.h"
#include "app/dialogs/AddTicketDialog.h"
#include "app/pages/ProfitPlot.h"
#include "app/pages/TicketDetail.h"
#include "app/pages/TicketMonths.h"
#include "app/pages/TicketTableModel.h"
#include "app/platform/Platform.h"
#include "core/draw/AppPaths.h"
#include "core/draw/HistoryMerge.h"
#include "core/io/TextFile.h"
#include "core/io/TextFormat.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/TicketText.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

// The window waits for a ledger that another program holds in slices this short,
// tried again this often, so that it never stops answering.
constexpr int kLedgerSliceMs = 50;
constexpr int kRetryIntervalMs = 100;

QLineEdit* makeIssueEdit(QWidget* parent, const QString& name, const QString& placeholder)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    edit->setMaxLength(7);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    return edit;
}

// The issue after the key, the year's numbering going on to 999 as the history's does.
int followingIssue(int key) { return key % 1000 >= 999 ? (key / 1000 + 1) * 1000 + 1 : key + 1; }

QTableWidget* makeMonthTable(QWidget* parent)
{
    auto* table = new QTableWidget(0, 4, parent);
    table->setObjectName(QStringLiteral("monthTable"));
    table->setHorizontalHeaderLabels(
        { QStringLiteral("月份"), QStringLiteral("投入"), QStringLiteral("奖金"), QStringLiteral("盈亏") });
    table->horizontalHeaderItem(0)->setToolTip(QStringLiteral("按记入投注的月份合计已开奖的投注"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->setMinimumWidth(
        table->fontMetrics().horizontalAdvance(QStringLiteral("2026-05 0000000 0000000 -000000")));
    return table;
}

} // namespace

TicketsPage::TicketsPage(Platform& platform, const QString& ledgerPath, HistoryFn history, QWidget* parent)
    : Page(platform, parent)
    , m_ledgerPath(ledgerPath)
    , m_history(std::move(history))
{
    setObjectName(QStringLiteral("TicketsPage"));
    makeWorkPageLayout();
    addToolBarCommand(QStringLiteral("添加投注"), [this] { addTicket(); });
    addToolBarCommand(QStringLiteral("复制到下一期"), [this] { copyToNextIssue(); });
    addToolBarCommand(QStringLiteral("追号"), [this] { chase(); });
    addToolBarCommand(QStringLiteral("删除"), [this] {
        removeSelected();
    })->setShortcut(QKeySequence::Delete);
    addToolBarCommand(QStringLiteral("导出CSV"), [this] { exportCsv(); });

    m_primed = !m_history().empty();
}

void TicketsPage::build()
{
    if (m_table)
        return;
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
    const int widths[] = { 44, 66, 40, 110, 40, 40, 54, 50, 50, 60 };
    for (int col = 0; col < static_cast<int>(std::size(widths)); ++col)
        m_table->setColumnWidth(col, widths[col]);
    connect(
        m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { showDetail(); });
    connect(m_table, &QTableView::doubleClicked, this, [this] {
        showDetail();
        m_scroll->ensureWidgetVisible(m_detail);
        m_detail->setFocus(Qt::OtherFocusReason);
    });

    m_detail = new QTextBrowser(content);
    m_detail->setObjectName(QStringLiteral("ticketDetail"));
    m_detail->setOpenLinks(false);
    m_detail->setPlaceholderText(QStringLiteral("在表中选择一张投注，这里显示它的号码"));
    m_plot = new ProfitPlot(content);
    m_plot->setObjectName(QStringLiteral("profitPlot"));
    m_months = makeMonthTable(content);

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
    auto* lower = new QHBoxLayout;
    lower->setContentsMargins(0, 0, 0, 0);
    lower->addWidget(m_detail, 2);
    lower->addWidget(m_plot, 4);
    lower->addWidget(m_months, 2);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(rangeRow);
    column->addWidget(m_table, 3);
    column->addLayout(lower, 2);
    addScrolledContent(static_cast<QVBoxLayout*>(this->layout()), content, QSize(700, 440));
    m_scroll = findChild<QScrollArea*>(QStringLiteral("pageScroll"));
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
    build();
    std::vector<Ticket> tickets = Ledger(toStdString(m_ledgerPath), kLedgerSliceMs).tickets(*m_game, range());
    std::vector<TicketResult> results = settleTickets(tickets, m_history());
    m_totals = ledgerTotals(tickets, results);
    m_totalsLabel->setText(toQString(ledgerTotalsText(m_totals)));
    m_longRunLabel->setText(toQString(longRunReturnText(m_totals)));
    m_plot->setPoints(cumulativeProfit(tickets, results));
    showMonths(tickets, results);
    // The ticket selected before stays selected where it is still listed.
    const QModelIndex current = m_table->currentIndex();
    const long long selectedId = current.isValid() ? m_model->ticketAt(current.row()).id : 0;
    m_model->setTickets(std::move(tickets), std::move(results));
    for (int row = 0; selectedId != 0 && row < m_model->rowCount(); ++row) {
        if (m_model->ticketAt(row).id == selectedId) {
            m_table->setCurrentIndex(m_model->index(row, current.column()));
            break;
        }
    }
    showDetail();
}

void TicketsPage::showMonths(const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results)
{
    const std::vector<MonthTotals> months = monthlyTotals(tickets, results);
    m_months->setRowCount(static_cast<int>(months.size()));
    for (int row = 0; row < static_cast<int>(months.size()); ++row) {
        const MonthTotals& month = months[static_cast<std::size_t>(row)];
        const QString cells[] = { toQString(month.month), QString::number(month.totals.staked),
            QString::number(month.totals.prize), QString::number(month.totals.profit()) };
        for (int col = 0; col < 4; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setTextAlignment(col == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            m_months->setItem(row, col, item);
        }
    }
}

void TicketsPage::showDetail()
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid()) {
        m_detail->clear();
        return;
    }
    m_detail->setHtml(ticketDetailHtml(m_model->ticketAt(current.row()), m_model->resultAt(current.row())));
}

void TicketsPage::addTicket(const CodeSet& codes)
{
    build();
    AddTicketDialog dialog(m_history(), platform().now().date().year(), this);
    if (codeSetCount(codes) > 0)
        dialog.setCodes(codes);
    dialog.setRecorder(
        [this](const Ticket& ticket) {
            const std::string path = toStdString(m_ledgerPath);
            createDataFolder(path);
            return Ledger(path, kLedgerSliceMs).add(*m_game, ticket);
        },
        m_busyWaitMs);
    if (platform().runDialog(dialog) != QDialog::Accepted)
        return;
    refreshView();
    emit statusTextChanged(toQString(ticketAddedText(dialog.ticket())));
}

void TicketsPage::removeSelected()
{
    build();
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid()) {
        platform().showMessage(this, QStringLiteral("请先在表中选择要删除的投注。"));
        return;
    }
    const long long id = m_model->ticketAt(current.row()).id;
    if (!platform().confirm(this, QStringLiteral("确定删除第%1号投注吗？").arg(id)))
        return;
    QElapsedTimer waited;
    waited.start();
    removeWhenFree(id, waited);
}

void TicketsPage::removeWhenFree(long long id, const QElapsedTimer& waited)
{
    bool removed = false;
    try {
        removed = Ledger(toStdString(m_ledgerPath), kLedgerSliceMs).remove(*m_game, id);
    } catch (const LedgerBusyError& busy) {
        if (waited.elapsed() >= m_busyWaitMs) {
            platform().showWarning(this, QString::fromUtf8(busy.what()));
            return;
        }
        // Tried again in a moment, with the window going on meanwhile.
        emit statusTextChanged(QStringLiteral("正在等待数据库…"));
        QTimer::singleShot(
            kRetryIntervalMs, this, [this, id, waited] { runCommand([&] { removeWhenFree(id, waited); }); });
        return;
    }
    refreshView();
    const std::string text = std::to_string(id);
    emit statusTextChanged(toQString(removed ? ticketRemovedText(text) : noSuchTicketText(text)));
}

void TicketsPage::exportCsv()
{
    build();
    const QString fileName
        = platform().saveFileName(this, QStringLiteral("CSV文件|*.csv"), QStringLiteral("csv"), QString());
    if (fileName.isEmpty())
        return;
    const std::vector<Ticket> tickets
        = Ledger(toStdString(m_ledgerPath), kLedgerSliceMs).tickets(*m_game, range());
    writeFileAtomic(toStdString(fileName),
        std::string(kUtf8Bom) + ticketsListCsv(tickets, settleTickets(tickets, m_history())));
    emit statusTextChanged(QStringLiteral("已导出%1张投注：%2").arg(tickets.size()).arg(fileName));
}

std::optional<Ticket> TicketsPage::selectedTicket(const QString& command)
{
    build();
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid()) {
        platform().showMessage(this, QStringLiteral("请先在表中选择要%1的投注。").arg(command));
        return std::nullopt;
    }
    return m_model->ticketAt(current.row());
}

int TicketsPage::firstIssueAfter(const Ticket& ticket) const
{
    const int next = nextIssue(m_history(), platform().now().date().year()).issueKey();
    return std::max(next, followingIssue(ticket.issue));
}

void TicketsPage::copyToNextIssue()
{
    if (const std::optional<Ticket> ticket = selectedTicket(QStringLiteral("复制")))
        recordCopies(*ticket, firstIssueAfter(*ticket), 1);
}

void TicketsPage::chase()
{
    const std::optional<Ticket> ticket = selectedTicket(QStringLiteral("追号"));
    if (!ticket)
        return;
    const int first = firstIssueAfter(*ticket);
    if (const int issues = askChaseIssues(*ticket, first); issues > 0)
        recordCopies(*ticket, first, issues);
}

int TicketsPage::askChaseIssues(const Ticket& ticket, int firstIssue)
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("追号"));
    auto* count = new QSpinBox(&dialog);
    count->setObjectName(QStringLiteral("chaseCountEdit"));
    count->setRange(1, kMaxChaseIssues);
    count->setValue(5);
    count->setSuffix(QStringLiteral(" 期"));
    auto* cost = new QLabel(&dialog);
    cost->setObjectName(QStringLiteral("chaseCostLabel"));
    const auto showCost = [&, first = toQString(issueKeyText(firstIssue))] {
        cost->setText(QStringLiteral("从第%1期起，每期%2元，共%3元")
                          .arg(first)
                          .arg(ticketCost(ticket))
                          .arg(ticketCost(ticket) * count->value()));
    };
    showCost();
    connect(count, &QSpinBox::valueChanged, &dialog, showCost);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("追号期数："), count);
    form->addRow(cost);
    form->addRow(buttons);
    count->selectAll();
    return platform().runDialog(dialog) == QDialog::Accepted ? count->value() : 0;
}

void TicketsPage::recordCopies(const Ticket& ticket, int firstIssue, int issues)
{
    std::vector<Ticket> copies;
    for (int i = 0, issue = firstIssue; i < issues; ++i, issue = followingIssue(issue)) {
        Ticket copy = ticket;
        copy.issue = issue;
        copies.push_back(std::move(copy));
    }
    const std::string path = toStdString(m_ledgerPath);
    createDataFolder(path);
    const std::vector<long long> ids = Ledger(path, kLedgerSliceMs).addTickets(*m_game, copies);
    for (std::size_t i = 0; i < copies.size(); ++i)
        copies[i].id = ids[i];
    refreshView();
    if (copies.size() == 1) {
        emit statusTextChanged(toQString(ticketAddedText(copies.front())));
        return;
    }
    emit statusTextChanged(
        QStringLiteral("已追号%1期：第%2期至第%3期，第%4至%5号投注，共%6元")
            .arg(copies.size())
            .arg(toQString(issueKeyText(copies.front().issue)), toQString(issueKeyText(copies.back().issue)))
            .arg(ids.front())
            .arg(ids.back())
            .arg(ticketCost(ticket) * static_cast<long long>(copies.size())));
}

void TicketsPage::historyChanged(const std::vector<DrawRecord>& changedDraws)
{
    const DrawHistory& now = m_history();
    // The first history is the one the window starts with: nothing new was drawn.
    const std::vector<int> issues = m_primed ? issueKeysOf(changedDraws) : std::vector<int> {};
    m_primed = true;
    if (!issues.empty()) {
        try {
            const std::string message = settlementMessage(
                Ledger(toStdString(m_ledgerPath), kLedgerSliceMs).tickets(*m_game), now, issues);
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
    makeContentOnShow(event, [this] { build(); });
    runCommand([this] { refreshView(); });
}

void TicketsPage::setGame(const Game& game)
{
    if (m_game == &game)
        return;
    m_game = &game;
    // A hidden page reads the ledger when it is shown.
    if (isVisible())
        refreshView();
}

} // namespace velmora
