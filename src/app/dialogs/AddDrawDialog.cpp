#include "app/dialogs/AddDrawDialog.h"

#include "app/Theme.h"
#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/code/Code.h"
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace velmora {

namespace {

bool allDigits(const QString& text, int length)
{
    return text.size() == length && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

} // namespace

AddDrawDialog::AddDrawDialog(
    Platform& platform, const Game& game, std::vector<std::string> lines, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_game(game)
    , m_lines(std::move(lines))
{
    setWindowTitle(QStringLiteral("添加开奖"));
    setFont(appFont());

    DrawHistory history;
    for (const std::string& line : m_lines)
        if (const std::optional<DrawRecord> record = parseDrawLine(m_game, line))
            history.push_back(*record);
    const DrawRecord next = nextIssue(history, m_platform.now().date().year());

    auto* grid = new QGridLayout(this);
    grid->setColumnMinimumWidth(2, 220);
    m_fields[Issue]
        = addField(0, QStringLiteral("issue"), QStringLiteral("期号"), 7, toQString(next.issueText()));
    m_fields[DrawCode] = addField(1, QStringLiteral("drawCode"), QStringLiteral("开奖号"), 3, QString());
    m_fields[DrawCode].edit->setPlaceholderText(QStringLiteral("三位数字"));
    if (game.hasTestCodes) {
        m_fields[TestCode] = addField(2, QStringLiteral("testCode"), QStringLiteral("试机号"), 3, QString());
        m_fields[Machine]
            = addField(3, QStringLiteral("machine"), QStringLiteral("机号"), 1, QStringLiteral("0"));
        m_fields[Ball] = addField(4, QStringLiteral("ball"), QStringLiteral("球号"), 1, QStringLiteral("0"));
        m_fields[TestCode].edit->setPlaceholderText(QStringLiteral("三位数字"));
    } else {
        m_fieldCount = TestCode;
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    grid->addWidget(buttons, m_fieldCount, 0, 1, 3);
    // Enter in any field is OK.
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddDrawDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddDrawDialog::reject);
    m_fields[DrawCode].edit->setFocus();
}

AddDrawDialog::Field AddDrawDialog::addField(
    int row, const QString& name, const QString& caption, int length, const QString& initial)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    Field field;
    auto* label = new QLabel(caption, this);
    field.edit = new QLineEdit(initial, this);
    field.edit->setObjectName(name + QStringLiteral("Edit"));
    field.edit->setMaxLength(length + 2); // a mistyped extra digit is shown and refused, not swallowed
    field.edit->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 9 + 16);
    label->setBuddy(field.edit);
    field.error = new QLabel(this);
    field.error->setObjectName(name + QStringLiteral("Error"));
    QPalette palette = field.error->palette();
    palette.setColor(QPalette::WindowText, errorTextColor(palette));
    field.error->setPalette(palette);
    grid->addWidget(label, row, 0);
    grid->addWidget(field.edit, row, 1);
    grid->addWidget(field.error, row, 2);
    QLabel* error = field.error;
    connect(field.edit, &QLineEdit::textEdited, error, [error] { error->clear(); });
    return field;
}

QString AddDrawDialog::problemOf(FieldIndex index) const
{
    const QString text = m_fields[index].edit->text().trimmed();
    switch (index) {
    case Issue:
        if (!allDigits(text, 7))
            return QStringLiteral("期号应为7位数字：4位年份加3位期数");
        if (text.endsWith(QStringLiteral("000")))
            return QStringLiteral("期数应在001到999之间");
        return QString();
    case DrawCode:
        return allDigits(text, 3) ? QString() : QStringLiteral("开奖号应为3位数字");
    case TestCode:
        return allDigits(text, 3) ? QString() : QStringLiteral("试机号应为3位数字");
    case Machine:
        return allDigits(text, 1) ? QString() : QStringLiteral("机号应为1位数字");
    case Ball:
        return allDigits(text, 1) ? QString() : QStringLiteral("球号应为1位数字");
    case FieldCount:
        break;
    }
    return QString();
}

std::string AddDrawDialog::drawLine() const
{
    QStringList items;
    for (int i = 0; i < m_fieldCount; ++i)
        items << m_fields[i].edit->text().trimmed();
    return toStdString(items.join(QLatin1Char(',')));
}

void AddDrawDialog::accept()
{
    QLineEdit* firstBad = nullptr;
    for (int i = 0; i < m_fieldCount; ++i) {
        const QString problem = problemOf(static_cast<FieldIndex>(i));
        m_fields[i].error->setText(problem);
        if (!problem.isEmpty() && !firstBad)
            firstBad = m_fields[i].edit;
    }
    if (firstBad) {
        firstBad->setFocus();
        firstBad->selectAll();
        return;
    }
    const QString issue = m_fields[Issue].edit->text().trimmed();
    const std::ptrdiff_t existing
        = findDrawLine(m_game, m_lines, issue.left(4).toInt(), issue.mid(4).toInt());
    m_replaces = existing >= 0;
    if (m_replaces) {
        const QString question = QStringLiteral("第%1期已有开奖数据：\n%2\n要用新输入的数据替换它吗？")
                                     .arg(issue, toQString(m_lines[static_cast<std::size_t>(existing)]));
        if (!m_platform.confirm(this, question))
            return;
    }
    QDialog::accept();
}

} // namespace velmora
