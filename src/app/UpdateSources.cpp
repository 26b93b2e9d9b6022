#include "app/UpdateSources.h"

#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/draw/AppPaths.h"
#include "core/draw/HistorySource.h"
#include "core/game/Game.h"
#include "core/io/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace velmora {

namespace {

// The settings of the game's list: 福彩3D keeps the keys it had before there were two
// games, so a list the user saved then stays; 排列三 has its own group. "sourcesSaved"
// marks that the user saved a list, so that an emptied list is not taken for "never set".
QString sourcesKey(const Game& game, const QString& name)
{
    if (&game == &game3d())
        return QStringLiteral("update/") + name;
    return QStringLiteral("update/%1/%2").arg(toQString(std::string(game.key)), name);
}

QString listKey(const Game& game) { return sourcesKey(game, QStringLiteral("sources")); }
QString savedKey(const Game& game) { return sourcesKey(game, QStringLiteral("sourcesSaved")); }

// What one source gave: its draw lines, or why not.
struct SourceFetch {
    enum class Outcome { Found, Failed, BadLines, Canceled };
    Outcome outcome = Outcome::Failed;
    QString reason;
    std::vector<std::string> lines;
};

SourceFetch failedFetch(const QString& reason) { return { SourceFetch::Outcome::Failed, reason, {} }; }

SourceFetch fetchSource(Platform& platform, QWidget* parent, const Game& game, const QUrl& url,
    const QString& tmpPath, int timeoutMs, bool quiet)
{
    const QString problem = updateSourceProblem(url.toString());
    if (!problem.isEmpty())
        return failedFetch(problem);
    if (QFileInfo::exists(tmpPath) || QFileInfo(tmpPath).isSymLink())
        QFile::remove(tmpPath);
    const DownloadResult download = platform.download(parent, url, tmpPath, timeoutMs);
    if (download.status == DownloadResult::Status::Canceled)
        return { SourceFetch::Outcome::Canceled, QString(), {} };
    if (!download)
        return failedFetch(download.reason);
    // The whole text is read before anything changes.
    std::string text;
    try {
        text = readTextFile(toStdString(tmpPath));
    } catch (const FileError& error) {
        return failedFetch(toQString(error.what()));
    }
    SourceHistory source
        = readSourceHistory(game, text, [&platform, parent, quiet](const std::string& message) {
              if (!quiet)
                  platform.showMessage(parent, toUiText(message));
          });
    switch (source.status) {
    case SourceStatus::Ok:
        return { SourceFetch::Outcome::Found, QString(), std::move(source.lines) };
    case SourceStatus::BadLines:
        return { SourceFetch::Outcome::BadLines, QStringLiteral("开奖数据有错误行"), {} };
    case SourceStatus::NoDraws:
        break;
    }
    return failedFetch(QString::fromUtf8(kNotDrawDataReason));
}

} // namespace

QStringList defaultUpdateSources(const Game& game)
{
    QStringList sources;
    for (const std::string_view source : game.defaultSources)
        sources << toQString(std::string(source));
    return sources;
}

QStringList updateSources(Platform& platform, const Game& game)
{
    if (!platform.setting(savedKey(game), false).toBool())
        return defaultUpdateSources(game);
    return platform.setting(listKey(game), QStringList()).toStringList();
}

void setUpdateSources(Platform& platform, const Game& game, const QStringList& sources)
{
    platform.setSetting(listKey(game), sources);
    platform.setSetting(savedKey(game), true);
}

QList<QUrl> updateSourceUrls(Platform& platform, const Game& game)
{
    QList<QUrl> urls;
    const QString server = qEnvironmentVariable("VELMORA_SERVER").trimmed();
    if (!server.isEmpty()) {
        QString base = server;
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        urls << QUrl(base + QLatin1Char('/') + toQString(std::string(game.serverFileName)));
    }
    for (const QString& source : updateSources(platform, game))
        urls << QUrl(source);
    return urls;
}

QString updateFailureText(const QStringList& failures)
{
    return QStringLiteral("在线更新开奖数据失败：\n") + failures.join(QLatin1Char('\n'));
}

namespace {

UpdateFetch fetch(
    Platform& platform, QWidget* parent, const Game& game, const QString& dataFile, int timeoutMs, bool quiet)
{
    const QList<QUrl> sources = updateSourceUrls(platform, game);
    if (sources.isEmpty()) {
        const QString text = QStringLiteral(
            "没有设置开奖数据的更新地址。\n请在“数据源设置”中添加至少一个地址，再在线更新。");
        if (quiet)
            return { std::nullopt, false, QStringLiteral("没有设置开奖数据的更新地址") };
        platform.showMessage(parent, text);
        return { std::nullopt, true, {} };
    }
    const QString tmpPath = toQString(downloadFilePath(toStdString(dataFile)));
    QStringList failures;
    for (const QUrl& url : sources) {
        SourceFetch fetch = fetchSource(platform, parent, game, url, tmpPath, timeoutMs, quiet);
        switch (fetch.outcome) {
        case SourceFetch::Outcome::Found:
            return { std::move(fetch.lines), false, {} };
        case SourceFetch::Outcome::BadLines:
            return { std::nullopt, false, url.toString() + QStringLiteral("：") + fetch.reason };
        case SourceFetch::Outcome::Canceled:
            return { std::nullopt, false, QStringLiteral("已取消") };
        case SourceFetch::Outcome::Failed:
            failures << url.toString() + QStringLiteral("：") + fetch.reason;
            break;
        }
    }
    if (quiet)
        return { std::nullopt, false, failures.join(QStringLiteral("；")) };
    const QStringList choices { QStringLiteral("数据源设置"), QStringLiteral("关闭") };
    return { std::nullopt, platform.chooseOnWarning(parent, updateFailureText(failures), choices) == 0, {} };
}

} // namespace

UpdateFetch fetchUpdate(
    Platform& platform, QWidget* parent, const Game& game, const QString& dataFile, int timeoutMs)
{
    return fetch(platform, parent, game, dataFile, timeoutMs, false);
}

UpdateFetch fetchUpdateQuietly(
    Platform& platform, QWidget* parent, const Game& game, const QString& dataFile, int timeoutMs)
{
    return fetch(platform, parent, game, dataFile, timeoutMs, true);
}

QString updateSourceProblem(const QString& address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (address.trimmed().isEmpty())
        return QStringLiteral("请输入地址");
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        || url.host().isEmpty())
        return QStringLiteral("地址应以 http:// 或 https:// 开头，后面是服务器和文件");
    return QString();
}

} // namespace velmora
