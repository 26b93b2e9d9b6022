// "恢复备份": the data file's backups, newest first, with their time, number of
// draws and newest draw; the chosen one is what the caller restores.
#pragma once

#include <QDialog>

#include <vector>

class QTableWidget;

namespace velmora {

// Backups.h holds more C++20 than moc reads.
struct BackupInfo;

class BackupsDialog : public QDialog {
    Q_OBJECT

public:
    BackupsDialog(std::vector<BackupInfo> backups, QWidget* parent = nullptr);
    ~BackupsDialog() override;

    // After 恢复: the backup chosen in the list.
    const BackupInfo& chosen() const;

private:
    std::vector<BackupInfo> m_backups;
    QTableWidget* m_table = nullptr;
};

} // namespace velmora
