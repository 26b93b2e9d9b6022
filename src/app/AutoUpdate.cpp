#include "app/AutoUpdate.h"

#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/game/Game.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace velmora {

namespace {

const QString kEnabledKey = QStringLiteral("update/auto");
constexpr int kCheckIntervalMs = 60 * 1000;

QDateTime eveningOf(const QDate& day)
{
    return QDateTime(day, QTime(AutoUpdate::kEveningHour, AutoUpdate::kEveningMinute));
}

} // namespace

AutoUpdate::AutoUpdate(Platform& platform, GameInFront game, Run run, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_game(std::move(game))
    , m_run(std::move(run))
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(kCheckIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &AutoUpdate::check);
}

bool AutoUpdate::isEnabled(Platform& platform) { return platform.setting(kEnabledKey, true).toBool(); }

void AutoUpdate::setEnabled(Platform& platform, bool on) { platform.setSetting(kEnabledKey, on); }

QString AutoUpdate::key(const char* name) const
{
    return QStringLiteral("update/") + QString::fromLatin1(name) + QLatin1Char('/')
        + toQString(std::string(m_game().key));
}

void AutoUpdate::start()
{
    m_timer->start();
    QTimer::singleShot(0, this, &AutoUpdate::check);
}

bool AutoUpdate::isDue() const
{
    if (!isEnabled(m_platform))
        return false;
    const QDateTime now = m_platform.now();
    const QDateTime evening = eveningOf(now.date());
    if (now < evening)
        return false;
    if (m_platform.setting(key("autoDone"), QDateTime()).toDateTime() >= evening)
        return false;
    if (m_platform.setting(key("autoTryDay"), QDate()).toDate() != now.date())
        return true;
    return m_platform.setting(key("autoTries"), 0).toInt() < kTriesPerDay
        && m_platform.setting(key("autoLastTry"), QDateTime()).toDateTime().addSecs(kRetrySeconds) <= now;
}

void AutoUpdate::noteSuccess() { m_platform.setSetting(key("autoDone"), m_platform.now()); }

void AutoUpdate::check()
{
    if (m_running || QApplication::activeModalWidget() != nullptr || !isDue())
        return;
    const QDateTime now = m_platform.now();
    // Counted before it runs, so that an update that never returns is not started again and again.
    const int tries = m_platform.setting(key("autoTryDay"), QDate()).toDate() == now.date()
        ? m_platform.setting(key("autoTries"), 0).toInt() + 1
        : 1;
    m_platform.setSetting(key("autoTryDay"), now.date());
    m_platform.setSetting(key("autoTries"), tries);
    m_platform.setSetting(key("autoLastTry"), now);
    m_running = true;
    QString told;
    UpdateOutcome outcome = UpdateOutcome::Failed;
    try {
        outcome = m_run(told);
    } catch (const std::exception& error) {
        told = QString::fromUtf8(error.what());
    }
    m_running = false;
    if (outcome == UpdateOutcome::NewDraws) {
        noteSuccess();
        emit statusText(QStringLiteral("自动更新：") + told);
        return;
    }
    const QString next = tries < kTriesPerDay
        ? QStringLiteral("，%1再试").arg(now.addSecs(kRetrySeconds).toString(QStringLiteral("HH:mm")))
        : QStringLiteral("，今天不再自动更新");
    emit statusText(QStringLiteral("自动更新")
        + (outcome == UpdateOutcome::Failed ? QStringLiteral("未成功：") : QStringLiteral("：")) + told
        + next);
}

} // namespace velmora
