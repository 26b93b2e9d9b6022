#include "app/UpdateSources.h"

#include "app/platform/Platform.h"

namespace velmora {

namespace {

const QString kSourcesKey = QStringLiteral("update/sources");
// Marks that the user saved a list, so that an emptied list is not taken for "never set".
const QString kSourcesSavedKey = QStringLiteral("update/sourcesSaved");

} // namespace

QStringList defaultUpdateSources()
{
    return { QStringLiteral("https://data.17500.cn/3d_asc.txt"),
        QStringLiteral("http://data.17500.cn/3d_asc.txt") };
}

QStringList updateSources(Platform& platform)
{
    if (!platform.setting(kSourcesSavedKey, false).toBool())
        return defaultUpdateSources();
    return platform.setting(kSourcesKey, QStringList()).toStringList();
}

void setUpdateSources(Platform& platform, const QStringList& sources)
{
    platform.setSetting(kSourcesKey, sources);
    platform.setSetting(kSourcesSavedKey, true);
}

QList<QUrl> updateSourceUrls(Platform& platform)
{
    QList<QUrl> urls;
    const QString server = qEnvironmentVariable("VELMORA_SERVER").trimmed();
    if (!server.isEmpty()) {
        QString base = server;
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        urls << QUrl(base + QStringLiteral("/3dcp.txt"));
    }
    for (const QString& source : updateSources(platform))
        urls << QUrl(source);
    return urls;
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
