#include "app/dialogs/AddTicketDialog.h"

#include "app/UiSupport.h"
#include "core/code/Code.h"
#include "core/code/CodeSetText.h"
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"
#include "core/ledger/TicketText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace velmora {

AddTicketDialog::AddTicketDialog(const DrawHistory& history, int currentYear, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("添加投注"));
    setFont(appFont());
    m_issue = new QLineEdit(toQString(nextIssue(history, currentYear).issueText()), this);
    m_issue->setObjectName(QStringLiteral("issueEdit"));
    m_issue->setMaxLength(9); // a mistyped extra digit is shown and refused, not swallowed
    m_issueError = makeErrorLabel(QStringLiteral("issueError"));
    m_play = new QComboBox(this);
    m_play->setObjectName(QStringLiteral("playBox"));
    m_play->addItems({ QStringLiteral("直选"), QStringLiteral("组选") });
    m_codes = new QPlainTextEdit(this);
    m_codes->setObjectName(QStringLiteral("codesEdit"));
    m_codes->setPlaceholderText(QStringLiteral("每三位数字为一注号码"));
    m_codes->setTabChangesFocus(true);
    m_codes->setMinimumSize(360, 120);
    m_codesError = makeErrorLabel(QStringLiteral("codesError"));
    m_codesError->setWordWrap(true);
    m_multiple = new QSpinBox(this);
    m_multiple->setObjectName(QStringLiteral("multipleEdit"));
    m_multiple->setRange(kMinMultiple, kMaxMultiple);
    m_note = new QLineEdit(this);
    m_note->setObjectName(QStringLiteral("noteEdit"));
    m_cost = new QLabel(this);
    m_cost->setObjectName(QStringLiteral("costLabel"));

    auto* grid = new QGridLayout(this);
    const auto addRow = [&](int row, const QString& caption, QWidget* field, QWidget* error) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(field, row, 1);
        if (error)
            grid->addWidget(error, row, 2, Qt::AlignTop);
    };
    grid->setColumnMinimumWidth(2, 200);
    addRow(0, QStringLiteral("期号"), m_issue, m_issueError);
    addRow(1, QStringLiteral("玩法"), m_play, nullptr);
    addRow(2, QStringLiteral("号码"), m_codes, m_codesError);
    addRow(3, QStringLiteral("倍数"), m_multiple, nullptr);
    addRow(4, QStringLiteral("备注"), m_note, nullptr);
    grid->addWidget(m_cost, 5, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    grid->addWidget(buttons, 6, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddTicketDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddTicketDialog::reject);

    const auto update = [this] { m_cost->setText(costText()); };
    connect(m_codes, &QPlainTextEdit::textChanged, this, update);
    connect(m_codes, &QPlainTextEdit::textChanged, m_codesError, &QLabel::clear);
    connect(m_play, &QComboBox::currentIndexChanged, this, update);
    connect(m_play, &QComboBox::currentIndexChanged, m_codesError, &QLabel::clear);
    connect(m_multiple, &QSpinBox::valueChanged, this, update);
    connect(m_issue, &QLineEdit::textEdited, m_issueError, &QLabel::clear);
    update();
    m_codes->setFocus();
}

QLabel* AddTicketDialog::makeErrorLabel(const QString& name)
{
    auto* error = new QLabel(this);
    error->setObjectName(name);
    QPalette palette = error->palette();
    palette.setColor(QPalette::WindowText, QColor(0xc0, 0, 0));
    error->setPalette(palette);
    return error;
}

void AddTicketDialog::setCodes(const CodeSet& codes)
{
    QStringList lines;
    for (const std::string& line : codeSetToLines(codes))
        lines << toQString(line);
    m_codes->setPlainText(lines.join(QLatin1Char('\n')).trimmed());
}

Play AddTicketDialog::play() const { return m_play->currentIndex() == 1 ? Play::Group : Play::Direct; }

std::vector<int> AddTicketDialog::betsOfFields(std::vector<int>* tripleGroups, std::string* badCodes) const
{
    TicketCodesRead read = readTicketCodes(toStdString(m_codes->toPlainText()));
    if (badCodes)
        *badCodes = std::move(read.error);
    TicketBets bets = ticketBetsOf(play(), read.codes);
    if (tripleGroups)
        *tripleGroups = std::move(bets.tripleGroups);
    return std::move(bets.bets);
}

QString AddTicketDialog::costText() const
{
    const auto count = static_cast<long long>(betsOfFields().size());
    return QStringLiteral("%1注，共%2元").arg(count).arg(count * kBetPrice * m_multiple->value());
}

void AddTicketDialog::accept()
{
    const QString issue = m_issue->text().trimmed();
    const std::optional<int> key = parseIssueKey(toStdString(issue));
    QString issueProblem;
    if (!key)
        issueProblem = QStringLiteral("期号应为7位数字：4位年份加3位期数");
    else if (*key % 1000 == 0)
        issueProblem = QStringLiteral("期数应在001到999之间");
    std::vector<int> triples;
    std::string badCodes;
    std::vector<int> bets = betsOfFields(&triples, &badCodes);
    QString codesProblem;
    if (!badCodes.empty())
        codesProblem = toQString(badCodes);
    else if (!triples.empty())
        codesProblem = toQString(tripleGroupRefusal(triples));
    else if (bets.empty())
        codesProblem = QString::fromUtf8(kNoCodesRefusal);
    m_issueError->setText(issueProblem);
    m_codesError->setText(codesProblem);
    if (!issueProblem.isEmpty()) {
        m_issue->setFocus();
        m_issue->selectAll();
        return;
    }
    if (!codesProblem.isEmpty()) {
        m_codes->setFocus();
        return;
    }
    m_ticket = Ticket {};
    m_ticket.issue = *key;
    m_ticket.play = play();
    m_ticket.bets = std::move(bets);
    m_ticket.multiple = m_multiple->value();
    m_ticket.note = toStdString(m_note->text());
    QDialog::accept();
}

} // namespace velmora
