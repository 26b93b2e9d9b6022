// "添加投注": one ticket typed by hand or filled with a result page's codes. 期号
// starts as the next draw; 注数 and 金额 follow every change; each field is checked
// on OK and a fault is shown beside it, as 添加开奖 does.
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"
#include "core/ledger/Ticket.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace velmora {

class AddTicketDialog : public QDialog {
    Q_OBJECT

public:
    // The issue starts as the one after the history's latest (issue 1 of currentYear
    // for an empty history).
    AddTicketDialog(const DrawHistory& history, int currentYear, QWidget* parent = nullptr);

    // Fills the codes as a result text lists them, ten a line.
    void setCodes(const CodeSet& codes);
    // After OK: the ticket as typed (no id yet).
    const Ticket& ticket() const { return m_ticket; }
    // "N注，共X元" for what the fields hold now.
    QString costText() const;

    void accept() override;

private:
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
};

} // namespace velmora
