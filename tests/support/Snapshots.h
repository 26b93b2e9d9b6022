// PNG snapshots of widgets for people to look at after a change to the window:
// written into $VELMORA_SNAPSHOT_DIR (ctest sets it to the build folder's
// snapshots/), or a folder in the temporary folder when it is unset.
#pragma once

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace velmora::test {

inline QString snapshotFolder()
{
    const QString folder = qEnvironmentVariable(
        "VELMORA_SNAPSHOT_DIR", QDir::tempPath() + QStringLiteral("/velmora-snapshots"));
    QDir().mkpath(folder);
    return folder;
}

// Writes the widget as fileName (with .png) into the snapshot folder; false on failure.
inline bool writeSnapshot(QWidget& widget, const QString& fileName)
{
    return widget.grab().save(QDir(snapshotFolder()).filePath(fileName));
}

} // namespace velmora::test
