// The addresses the online update downloads the draw history from, kept in the settings.
#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

namespace velmora {

class Platform;

// The public full history (oldest first) that the shipped history comes from.
QStringList defaultUpdateSources();

// The user's list, or the default list until the user saved one (an empty list stays empty).
QStringList updateSources(Platform& platform);
void setUpdateSources(Platform& platform, const QStringList& sources);

// What an update tries, in order: <VELMORA_SERVER>/3dcp.txt first when that variable is
// set, then the user's list. Empty when there is no source at all.
QList<QUrl> updateSourceUrls(Platform& platform);

// An address the list accepts: http or https with a host. Returns the reason it is not
// one, or the empty text when it is.
QString updateSourceProblem(const QString& address);

} // namespace velmora
