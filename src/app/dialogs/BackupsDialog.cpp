#include "app/dialogs/BackupsDialog.h"

#include "app/UiSupport.h"
#include "core/draw/Backups.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace velmora {

BackupsDialog::BackupsDialog(std::vector<BackupInfo> backups, QWidget* parent)
    : QDialog(parent)
    , m_backups(std::move(backups))
{
    setObjectName(QStringLiteral("backupsDialog"));
    setWindowTitle(QStringLiteral("恢复备份"));
    setFont(appFont());

    m_table = new QTableWidget(static_cast<int>(m_backups.size()), 3, this);
    m_table->setObjectName(QStringLiteral("backupTable"));
    m_table->setHorizontalHeaderLabels(
        { QStringLiteral("时间"), QStringLiteral("期数"), QStringLiteral("最新一期") });
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const BackupInfo& backup = m_backups[static_cast<std::size_t>(row)];
        const QStringList cells { toQString(backupTimeText(backup.time)),
            backup.readable ? QString::number(backup.draws) : QStringLiteral("无法读取"),
            toQString(backup.newestDraw) };
        for (int col = 0; col < cells.size(); ++col)
            m_table->setItem(row, col, new QTableWidgetItem(cells[col]));
    }
    m_table->resizeColumnsToContents();
    if (!m_backups.empty())
        m_table->selectRow(0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore = buttons->addButton(QStringLiteral("恢复"), QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("restoreButton"));
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    restore->setEnabled(!m_backups.empty());
    // Enter on the chosen backup restores it.
    restore->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(420, 360);
}

BackupsDialog::~BackupsDialog() = default;

const BackupInfo& BackupsDialog::chosen() const
{
    const int row = std::max(0, m_table->currentRow());
    return m_backups.at(static_cast<std::size_t>(row));
}

} // namespace velmora
