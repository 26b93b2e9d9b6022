// The shared libraries mapped into this process, as /proc/self/maps lists them.
#pragma once

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace velmora::test {

// The file names of the mapped libraries whose name contains part ("libQt6WebEngine").
inline QStringList mappedLibraries(const QString& part)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/maps");
    QStringList names;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash < 0)
            continue;
        const QString name = QFileInfo(QString::fromUtf8(line.mid(slash))).fileName();
        if (name.contains(part) && !names.contains(name))
            names << name;
    }
    return names;
}

} // namespace velmora::test
