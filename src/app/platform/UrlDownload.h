// Downloading a URL into a file, bounded in time, size, memory and redirects.
#pragma once

#include "core/io/TextFile.h"

#include <QString>
#include <QUrl>

class QWidget;

namespace velmora {

// How a download ended: done, failed (and why, in words for the user), or
// cancelled by the user.
struct DownloadResult {
    enum class Status { Ok, Failed, Canceled };
    Status status = Status::Failed;
    // Why it failed: "404 Not Found", "连接被拒绝", "超时", "超过64MB", "内容不完整",
    // "重定向到其他网站", a file error; empty unless Failed.
    QString reason;

    static DownloadResult done() { return { Status::Ok, QString() }; }
    static DownloadResult failed(const QString& why) { return { Status::Failed, why }; }
    static DownloadResult canceled() { return { Status::Canceled, QString() }; }
    explicit operator bool() const { return status == Status::Ok; }
};

// What a download may take beyond the time without any data.
struct DownloadLimits {
    // The whole transfer, redirects included.
    int overallMs = 60000;
    // The body; a longer one (declared or received) fails the download.
    qint64 maxBytes = static_cast<qint64>(kMaxInputBytes);
    // Redirects followed, each within the scheme and host of the URL asked for.
    int maxRedirects = 5;
};

// The bytes held in memory at any time: the reply reads no further ahead, and
// what it read goes into the file at once.
inline constexpr qint64 kDownloadBufferBytes = qint64 { 256 } << 10;

// Downloads url into the file at path, with an application-modal progress dialog
// (shown after a moment) whose Cancel aborts the transfer. Done only when the
// server answered 2xx and the whole body (as long as its Content-Length says)
// now stands in the file; otherwise the file at path is untouched.
DownloadResult downloadUrlToFile(
    QWidget* parent, const QUrl& url, const QString& path, int timeoutMs, const DownloadLimits& limits = {});

} // namespace velmora
