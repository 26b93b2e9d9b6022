// "添加投注": one ticket typed by hand or filled with a result page's codes. 期号
// starts as the next draw; 注数 and 金额 follow every change; each field is checked
// on OK and a fault is shown beside it, as 添加开奖 does. With a recorder the ticket
// is recorded on OK: a ledger another program holds is tried again in short slices
// while the window goes on ("正在等待数据库…", 取消 stops waiting), and a ticket that
// cannot be recorded keeps the dialog open with its fields and the reason.
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"
#include "core/ledger/Ticket.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace velmora {

class AddTicketDialog : public QDialog {
    Q_OBJECT

public:
    // The issue starts as the one after the history's latest (issue 1 of currentYear
    // for an empty history).
    AddTicketDialog(const DrawHistory& history, int currentYear, QWidget* parent = nullptr);

    // Fills the codes as a result text lists them, ten a line.
    void setCodes(const CodeSet& codes);
    // Records the ticket once, waiting for the ledger no longer than a short slice,
    // and returns its id; raises FileError (LedgerBusyError while another program
    // holds the ledger).
    using RecordFn = std::function<long long(const Ticket&)>;
    // waitMs: how long a busy ledger is tried again before its reason is shown.
    void setRecorder(RecordFn record, int waitMs);

    // After OK: the ticket as typed (with a recorder: as recorded, with its id).
    const Ticket& ticket() const { return m_ticket; }
    // "N注，共X元" for what the fields hold now.
    QString costText() const;

    void accept() override;
    // While waiting for the ledger: stops waiting and keeps the dialog open.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One try of the recorder; schedules the next while the ledger is busy.
    void tryRecord();
    void stopWaiting(const QString& reason);
    // The codes' bets for the chosen play.
    // The bets of the fields, the codes read strictly: with an offending item,
    // none, and *badCodes says which ("号码有误：1234、12a").
    std::vector<int> betsOfFields(
        std::vector<int>* tripleGroups = nullptr, std::string* badCodes = nullptr) const;
    Play play() const;
    QLabel* makeErrorLabel(const QString& name);

    Ticket m_ticket;
    QLineEdit* m_issue = nullptr;
    QLabel* m_issueError = nullptr;
    QComboBox* m_play = nullptr;
    QPlainTextEdit* m_codes = nullptr;
    QLabel* m_codesError = nullptr;
    QSpinBox* m_multiple = nullptr;
    QLineEdit* m_note = nullptr;
    QLabel* m_cost = nullptr;
    QLabel* m_recordStatus = nullptr;
    QPushButton* m_ok = nullptr;

    RecordFn m_record;
    int m_waitMs = 0;
    QTimer* m_retry = nullptr;
    QElapsedTimer m_waited;
};

} // namespace velmora
