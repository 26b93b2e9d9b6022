// Reading and writing whole files, and the real draw history, for the Qt tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

namespace velmora::test {

// The file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The real draw history's file, as it stands.
inline QByteArray realHistoryBytes() { return readFile(QStringLiteral(VELMORA_HISTORY_FILE)); }

// The first count lines of the real draw history, CR LF ended.
inline QByteArray historyLines(int count)
{
    const QList<QByteArray> lines = realHistoryBytes().split('\n');
    QByteArray out;
    for (int i = 0; i < count && i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty())
            out += lines[i].trimmed() + "\r\n";
    }
    return out;
}

} // namespace velmora::test
