// The page 我的投注: the ticket ledger as a table with the outcome of every ticket
// worked out from the history, a range of issues with its totals beside what the
// game returns on average, and a plot of the running 盈亏 by issue. It settles the
// tickets of new or changed draws whenever the history changes.
#pragma once

#include "app/pages/Page.h"
#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/Settlement.h"

#include <QString>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QTableView;
class QChart;
class QChartView;
class QElapsedTimer;
class QLineSeries;

namespace velmora {

class TicketTableModel;

class TicketsPage : public Page {
    Q_OBJECT

public:
    using HistoryFn = std::function<const DrawHistory&()>;

    // ledgerPath: the ledger (made by the first ticket); history: the draws as they
    // stand now.
    TicketsPage(Platform& platform, const QString& ledgerPath, HistoryFn history, QWidget* parent);

    // "添加投注": the dialog, with the codes filled in when given (记入投注); the
    // ticket is recorded on OK.
    void addTicket(const CodeSet& codes = {});
    // "删除": the selected ticket, after asking.
    void removeSelected();
    // How long adding and deleting wait for a ledger that another program holds
    // (kLedgerBusyTimeoutMs); the window goes on meanwhile.
    void setBusyWait(int ms) { m_busyWaitMs = ms; }
    // "导出CSV": the tickets of the range as velmora-cli tickets list writes them,
    // UTF-8 with a byte-order mark.
    void exportCsv();

    // The history has changed: the tickets of new or changed draws are settled and
    // the status bar says how they did (after what the command itself says there);
    // the page shows the new outcome.
    void historyChanged(const std::vector<DrawRecord>& changedDraws);

    // Reads the ledger again and settles it.
    void refreshView() override;

    const LedgerTotals& totals() const { return m_totals; }
    QLineSeries* profitSeries() const { return m_profitSeries; }
    QLineSeries* averageSeries() const { return m_averageSeries; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    IssueRange range() const;
    void showChart(const std::vector<ProfitPoint>& points);
    // Puts the text in the status bar once the event loop is back.
    void reportLater(const QString& text);
    // Deletes the ticket, trying again in a moment while the ledger is busy.
    void removeWhenFree(long long id, const QElapsedTimer& waited);

    QString m_ledgerPath;
    HistoryFn m_history;
    // The draws the tickets were last settled on, to find what a change brought.
    bool m_primed = false;
    int m_busyWaitMs = kLedgerBusyTimeoutMs;
    LedgerTotals m_totals;

    TicketTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLabel* m_totalsLabel = nullptr;
    QLabel* m_longRunLabel = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_chartView = nullptr;
    QLineSeries* m_profitSeries = nullptr;
    QLineSeries* m_averageSeries = nullptr;
};

} // namespace velmora
