// "数据源设置": the addresses the online update of one game tries in order. The user
// adds, removes and reorders them and may test one, and turns 自动更新 on or off; OK
// saves both in the settings.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmora {

class Platform;
struct Game;

class DataSourcesDialog : public QDialog {
    Q_OBJECT

public:
    DataSourcesDialog(Platform& platform, const Game& game, QWidget* parent = nullptr);

    // The addresses as the list shows them now.
    QStringList sources() const;
    // Time without any data after which a test download fails (15 s unless set).
    void setDownloadTimeout(int ms) { m_timeoutMs = ms; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addSource();
    void removeSource();
    void moveSource(int step);
    void testSource();
    void restoreDefaults();
    void updateButtons();
    void showStatus(const QString& text, bool failure);
    // What the address's text holds, or why it cannot be used.
    QString describeDownload(const QUrl& url, bool& ok);

    Platform& m_platform;
    const Game& m_game;
    int m_timeoutMs = 15000;
    QListWidget* m_list = nullptr;
    QLineEdit* m_address = nullptr;
    QLabel* m_addressError = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_removeButton = nullptr;
    QPushButton* m_upButton = nullptr;
    QPushButton* m_downButton = nullptr;
    QPushButton* m_testButton = nullptr;
    QPushButton* m_defaultsButton = nullptr;
    QLabel* m_status = nullptr;
    QCheckBox* m_autoUpdate = nullptr;
};

} // namespace velmora
