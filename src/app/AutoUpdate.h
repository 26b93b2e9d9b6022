// 自动更新: the draws carry no dates, so the update goes by the clock. Once the
// local time is past the evening draw (21:30, when both games have drawn), the
// game in front is updated once a day, unless an update of it already brought
// draws after that time; an update that fails or finds nothing new is tried again
// an hour later, at most three times a day. It never asks: what happened goes to
// the status bar. What it remembers lives in the settings, so a restart keeps it.
#pragma once

#include "app/UpdateSources.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class QTimer;

namespace velmora {

class Platform;
struct Game;

class AutoUpdate : public QObject {
    Q_OBJECT

public:
    // Runs one quiet update of the game in front; told says what happened.
    using Run = std::function<UpdateOutcome(QString& told)>;
    using GameInFront = std::function<const Game&()>;

    static constexpr int kEveningHour = 21;
    static constexpr int kEveningMinute = 30;
    static constexpr int kTriesPerDay = 3;
    static constexpr int kRetrySeconds = 3600;

    AutoUpdate(Platform& platform, GameInFront game, Run run, QObject* parent);

    // The setting of 数据源设置, on until the user turns it off.
    static bool isEnabled(Platform& platform);
    static void setEnabled(Platform& platform, bool on);

    // Checks now and then every minute.
    void start();
    // Runs the update when it is due; a modal dialog open or an update running puts
    // it off to the next check.
    void check();
    // Whether an update of the game in front is due at the Platform's time.
    bool isDue() const;
    // An update of the game in front brought draws (the user's 在线更新 included).
    void noteSuccess();

signals:
    // The result for the status bar.
    void statusText(const QString& text);

private:
    QString key(const char* name) const;

    Platform& m_platform;
    GameInFront m_game;
    Run m_run;
    QTimer* m_timer = nullptr;
    bool m_running = false;
};

} // namespace velmora
