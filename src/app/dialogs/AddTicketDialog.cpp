#include "app/dialogs/AddTicketDialog.h"

#include "app/Theme.h"
#include "app/UiSupport.h"
#include "core/code/Code.h"
#include "core/code/CodeSetText.h"
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/TicketText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace velmora {

namespace {

// A busy ledger is tried again this often; the window is never held longer.
constexpr int kRetryIntervalMs = 100;

} // namespace

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
    m_note->setMaxLength(static_cast<int>(kMaxNoteCharacters));
    m_cost = new QLabel(this);
    m_cost->setObjectName(QStringLiteral("costLabel"));
    m_recordStatus = makeErrorLabel(QStringLiteral("recordStatus"));
    m_recordStatus->setWordWrap(true);
    m_retry = new QTimer(this);
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, &AddTicketDialog::tryRecord);

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
    grid->addWidget(m_recordStatus, 6, 1, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    grid->addWidget(buttons, 7, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddTicketDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddTicketDialog::reject);
    m_ok->setDefault(true);
    // Enter and Ctrl+Enter in the codes box confirm instead of breaking the line.
    m_codes->installEventFilter(this);

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

bool AddTicketDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_codes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_ok->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QLabel* AddTicketDialog::makeErrorLabel(const QString& name)
{
    auto* error = new QLabel(this);
    error->setObjectName(name);
    QPalette palette = error->palette();
    palette.setColor(QPalette::WindowText, errorTextColor(palette));
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
    if (m_retry->isActive())
        return;
    m_recordStatus->clear();
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
    if (!m_record) {
        QDialog::accept();
        return;
    }
    m_ok->setEnabled(false);
    m_waited.start();
    tryRecord();
}

void AddTicketDialog::setRecorder(RecordFn record, int waitMs)
{
    m_record = std::move(record);
    m_waitMs = waitMs;
}

void AddTicketDialog::tryRecord()
{
    try {
        m_ticket.id = m_record(m_ticket);
    } catch (const LedgerBusyError& busy) {
        if (m_waited.elapsed() >= m_waitMs) {
            stopWaiting(QString::fromUtf8(busy.what()));
            return;
        }
        m_recordStatus->setText(QStringLiteral("正在等待数据库…"));
        m_retry->start(kRetryIntervalMs);
        return;
    } catch (const FileError& error) {
        stopWaiting(QString::fromUtf8(error.what()));
        return;
    }
    m_recordStatus->clear();
    m_ok->setEnabled(true);
    QDialog::accept();
}

void AddTicketDialog::stopWaiting(const QString& reason)
{
    m_retry->stop();
    m_recordStatus->setText(reason);
    m_ok->setEnabled(true);
}

void AddTicketDialog::reject()
{
    if (m_retry->isActive()) {
        stopWaiting(QStringLiteral("已停止等待数据库，投注未记入"));
        return;
    }
    QDialog::reject();
}

} // namespace velmora
