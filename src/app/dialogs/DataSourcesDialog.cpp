#include "app/dialogs/DataSourcesDialog.h"

#include "app/AutoUpdate.h"
#include "app/Theme.h"
#include "app/UiSupport.h"
#include "app/UpdateSources.h"
#include "app/platform/Platform.h"
#include "core/code/Code.h"
#include "core/draw/DrawText.h"
#include "core/draw/HistorySource.h"
#include "core/io/TextFile.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

// Colours a label's text by its palette (a style sheet would also reset its font).
void setTextColor(QLabel* label, const QColor& color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

void markError(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

} // namespace

DataSourcesDialog::DataSourcesDialog(Platform& platform, const Game& game, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_game(game)
{
    const QString gameName = toQString(std::string(game.name));
    setWindowTitle(QStringLiteral("数据源设置"));
    setFont(appFont());

    auto* intro
        = new QLabel(QStringLiteral("%1的在线更新按顺序尝试下列地址，直到有一个成功：").arg(gameName), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("sourceList"));
    m_list->addItems(updateSources(platform, game));
    m_list->setMinimumWidth(380);

    m_upButton = new QPushButton(QStringLiteral("上移"), this);
    m_downButton = new QPushButton(QStringLiteral("下移"), this);
    m_removeButton = new QPushButton(QStringLiteral("删除"), this);
    m_testButton = new QPushButton(QStringLiteral("测试"), this);
    m_defaultsButton = new QPushButton(QStringLiteral("恢复默认"), this);
    auto* sideButtons = new QVBoxLayout;
    for (QPushButton* button : { m_upButton, m_downButton, m_removeButton, m_testButton })
        sideButtons->addWidget(button);
    sideButtons->addStretch();
    sideButtons->addWidget(m_defaultsButton);

    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("addressEdit"));
    m_address->setPlaceholderText(QStringLiteral("http://服务器/开奖数据.txt"));
    m_addButton = new QPushButton(QStringLiteral("添加"), this);
    m_addressError = new QLabel(this);
    m_addressError->setObjectName(QStringLiteral("addressError"));
    setTextColor(m_addressError, errorTextColor(m_addressError->palette()));
    m_addressError->setVisible(false);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("testResult"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_autoUpdate = new QCheckBox(QStringLiteral("自动更新：每天21:30以后自动在线更新一次(&U)"), this);
    m_autoUpdate->setObjectName(QStringLiteral("autoUpdateBox"));
    m_autoUpdate->setChecked(AutoUpdate::isEnabled(platform));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(intro, 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0);
    grid->addLayout(sideButtons, 1, 1);
    grid->addWidget(m_address, 2, 0);
    grid->addWidget(m_addButton, 2, 1);
    grid->addWidget(m_addressError, 3, 0, 1, 2);
    grid->addWidget(m_status, 4, 0, 1, 2);
    grid->addWidget(m_autoUpdate, 5, 0, 1, 2);
    grid->addWidget(buttons, 6, 0, 1, 2);

    connect(m_addButton, &QPushButton::clicked, this, &DataSourcesDialog::addSource);
    m_address->installEventFilter(this);
    connect(m_address, &QLineEdit::textEdited, this, [this] { markError(m_addressError, QString()); });
    connect(m_removeButton, &QPushButton::clicked, this, &DataSourcesDialog::removeSource);
    connect(m_upButton, &QPushButton::clicked, this, [this] { moveSource(-1); });
    connect(m_downButton, &QPushButton::clicked, this, [this] { moveSource(1); });
    connect(m_testButton, &QPushButton::clicked, this, &DataSourcesDialog::testSource);
    connect(m_defaultsButton, &QPushButton::clicked, this, &DataSourcesDialog::restoreDefaults);
    connect(m_list, &QListWidget::currentRowChanged, this, &DataSourcesDialog::updateButtons);
    connect(buttons, &QDialogButtonBox::accepted, this, &DataSourcesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DataSourcesDialog::reject);

    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    // Enter anywhere but in the address field is OK.
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    updateButtons();
}

QStringList DataSourcesDialog::sources() const
{
    QStringList list;
    for (int i = 0; i < m_list->count(); ++i)
        list << m_list->item(i)->text();
    return list;
}

void DataSourcesDialog::accept()
{
    setUpdateSources(m_platform, m_game, sources());
    AutoUpdate::setEnabled(m_platform, m_autoUpdate->isChecked());
    QDialog::accept();
}

bool DataSourcesDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Return in the address field adds the address instead of closing the dialog.
    if (watched == m_address && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addSource();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DataSourcesDialog::addSource()
{
    const QString address = m_address->text().trimmed();
    QString problem = updateSourceProblem(address);
    if (problem.isEmpty() && sources().contains(address))
        problem = QStringLiteral("这个地址已在列表中");
    markError(m_addressError, problem);
    if (!problem.isEmpty()) {
        m_address->setFocus();
        return;
    }
    m_list->addItem(address);
    m_list->setCurrentRow(m_list->count() - 1);
    m_address->clear();
}

void DataSourcesDialog::removeSource()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    delete m_list->takeItem(row);
    m_list->setCurrentRow(std::min(row, m_list->count() - 1));
    updateButtons();
}

void DataSourcesDialog::moveSource(int step)
{
    const int row = m_list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    m_list->insertItem(target, m_list->takeItem(row));
    m_list->setCurrentRow(target);
}

void DataSourcesDialog::restoreDefaults()
{
    m_list->clear();
    m_list->addItems(defaultUpdateSources(m_game));
    m_list->setCurrentRow(0);
}

void DataSourcesDialog::updateButtons()
{
    const int row = m_list->currentRow();
    const bool selected = row >= 0;
    m_removeButton->setEnabled(selected);
    m_testButton->setEnabled(selected);
    m_upButton->setEnabled(row > 0);
    m_downButton->setEnabled(selected && row + 1 < m_list->count());
}

void DataSourcesDialog::showStatus(const QString& text, bool failure)
{
    setTextColor(
        m_status, failure ? errorTextColor(m_status->palette()) : successTextColor(m_status->palette()));
    m_status->setText(text);
}

void DataSourcesDialog::testSource()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    const QUrl url(m_list->item(row)->text());
    showStatus(QStringLiteral("正在测试 %1 ……").arg(url.toString()), false);
    setEnabled(false);
    bool ok = false;
    QString text;
    try {
        text = describeDownload(url, ok);
    } catch (const std::exception& e) {
        text = QStringLiteral("测试失败：") + QString::fromUtf8(e.what());
    }
    setEnabled(true);
    showStatus(text, !ok);
}

QString DataSourcesDialog::describeDownload(const QUrl& url, bool& ok)
{
    ok = false;
    QTemporaryDir folder;
    if (!folder.isValid())
        return QStringLiteral("测试失败：无法建立临时文件夹");
    const QString path = folder.filePath(QStringLiteral("test.txt"));
    if (!m_platform.download(this, url, path, m_timeoutMs))
        return QStringLiteral("测试失败：无法下载 %1").arg(url.toString());
    std::string message;
    const SourceHistory source = readSourceHistory(
        m_game, readTextFile(toStdString(path)), [&message](const std::string& m) { message = m; });
    if (source.status == SourceStatus::BadLines)
        return QStringLiteral("测试失败：") + toUiText(message);
    if (source.status == SourceStatus::NoDraws)
        return QStringLiteral("测试失败：下载的内容中没有开奖数据");
    const DrawHistory history = parseDrawHistory(m_game, source.lines).history;
    const DrawRecord latest
        = *std::max_element(history.begin(), history.end(), [](const DrawRecord& a, const DrawRecord& b) {
              return a.year != b.year ? a.year < b.year : a.issue < b.issue;
          });
    ok = true;
    return QStringLiteral("测试成功：共%1期，最新一期%2")
        .arg(history.size())
        .arg(toQString(latest.issueText()));
}

} // namespace velmora
