// The page 我的投注: the ticket ledger as a table with the outcome of every ticket
// worked out from the history and a detail pane for the selected one, a range of
// issues with its totals beside what the game returns on average, a plot of the
// running 盈亏 by issue and the monthly totals. It settles the tickets of new or
// changed draws whenever the history changes.
#pragma once

#include "core/game/Game.h"

#include "app/pages/Page.h"
#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/Settlement.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QScrollArea;
class QTableView;
class QElapsedTimer;
class QTableWidget;
class QTextBrowser;

namespace velmora {

class ProfitPlot;
class TicketTableModel;

// 追号 buys the same ticket for at most this many issues at once.
inline constexpr int kMaxChaseIssues = 30;

class TicketsPage : public Page {
    Q_OBJECT

public:
    using HistoryFn = std::function<const DrawHistory&()>;

    // ledgerPath: the ledger (made by the first ticket); history: the draws as they
    // stand now.
    TicketsPage(Platform& platform, const QString& ledgerPath, HistoryFn history, QWidget* parent);

    // The game whose tickets the page shows and records (福彩3D until told).
    void setGame(const Game& game);

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
    // "复制到下一期": the selected ticket again for the first issue that is still to be
    // drawn and comes after its own.
    void copyToNextIssue();
    // "追号": the selected ticket for that issue and the following ones, as many as
    // asked (1..kMaxChaseIssues), recorded at once.
    void chase();

    // The history has changed: the tickets of new or changed draws are settled and
    // the status bar says how they did (after what the command itself says there);
    // the page shows the new outcome.
    void historyChanged(const std::vector<DrawRecord>& changedDraws);

    // Reads the ledger again and settles it.
    void refreshView() override;

    const LedgerTotals& totals() const { return m_totals; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Makes the page's range, table, detail, plot and months, once: on the first show or
    // command. Start-up makes none of it (a table header loads the bold face).
    void build();
    IssueRange range() const;
    // The selected ticket, or none after telling the user to select one for the command.
    std::optional<Ticket> selectedTicket(const QString& command);
    // The issue a copy of the ticket is bought for first.
    int firstIssueAfter(const Ticket& ticket) const;
    // How many issues 追号 is to buy; 0 when cancelled.
    int askChaseIssues(const Ticket& ticket, int firstIssue);
    void recordCopies(const Ticket& ticket, int firstIssue, int issues);
    void showDetail();
    void showMonths(const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results);
    // Puts the text in the status bar once the event loop is back.
    void reportLater(const QString& text);
    // Deletes the ticket, trying again in a moment while the ledger is busy.
    void removeWhenFree(long long id, const QElapsedTimer& waited);

    QString m_ledgerPath;
    HistoryFn m_history;
    const Game* m_game = &game3d();
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
    QScrollArea* m_scroll = nullptr;
    QTextBrowser* m_detail = nullptr;
    ProfitPlot* m_plot = nullptr;
    QTableWidget* m_months = nullptr;
};

} // namespace velmora
