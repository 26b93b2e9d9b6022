// Downloading a URL into a file, bounded in time, size and redirects.
#pragma once

#include "core/io/TextFile.h"

#include <QString>
#include <QUrl>

class QWidget;

namespace velmora {

// What a download may take beyond the time without any data.
struct DownloadLimits {
    // The whole transfer, redirects included.
    int overallMs = 60000;
    // The body; a longer one (declared or received) fails the download.
    qint64 maxBytes = static_cast<qint64>(kMaxInputBytes);
    // Redirects followed, each within the scheme and host of the URL asked for.
    int maxRedirects = 5;
};

// Downloads url into the file at path, with an application-modal progress dialog
// (shown after a moment) whose Cancel aborts the transfer. True only when the
// server answered 2xx and the whole body (as long as its Content-Length says)
// now stands in the file; false for errors, a cancel, timeoutMs without any data,
// or a limit exceeded, and then the file at path is untouched.
bool downloadUrlToFile(
    QWidget* parent, const QUrl& url, const QString& path, int timeoutMs, const DownloadLimits& limits = {});

} // namespace velmora
