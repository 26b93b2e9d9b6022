#include "app/platform/UrlDownload.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressDialog>
#include <QSaveFile>
#include <QTimer>

#include <climits>

namespace velmora {

namespace {

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

int statusOf(const QNetworkReply* reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// A redirect is trusted only when it stays with the server that was asked.
bool sameServer(const QUrl& asked, const QUrl& target)
{
    return target.isValid() && target.scheme().compare(asked.scheme(), Qt::CaseInsensitive) == 0
        && target.host().compare(asked.host(), Qt::CaseInsensitive) == 0;
}

} // namespace

bool downloadUrlToFile(
    QWidget* parent, const QUrl& url, const QString& path, int timeoutMs, const DownloadLimits& limits)
{
    // The body goes straight into a file that replaces the old one only on success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    QNetworkAccessManager manager;
    QProgressDialog progress(QStringLiteral("正在下载开奖数据……"), QStringLiteral("取消"), 0, 0, parent);
    progress.setWindowTitle(QStringLiteral("Velmora"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    // Starts the clock after which the dialog appears.
    progress.setValue(0);

    // Set by every refusal of ours; a cancel or a time-out shows as a reply error.
    bool refused = false;
    QNetworkReply* reply = nullptr;
    const auto refuse = [&refused, &reply] {
        refused = true;
        reply->abort();
    };
    // Context of the handlers that outlive one request: gone before the manager.
    QObject handlers;
    QObject::connect(&progress, &QProgressDialog::canceled, &handlers, [&reply] { reply->abort(); });
    QTimer overall;
    overall.setSingleShot(true);
    QObject::connect(&overall, &QTimer::timeout, &handlers, refuse);

    // Redirects are followed here, one request each, so that every target is checked.
    QUrl current = url;
    for (int redirects = 0;; ++redirects) {
        QNetworkRequest request(current);
        request.setTransferTimeout(timeoutMs);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        // The body as sent, so that its length can be held against Content-Length.
        request.setRawHeader("Accept-Encoding", "identity");
        reply = manager.get(request);
        if (redirects == 0)
            overall.start(limits.overallMs);

        qint64 received = 0;
        QObject hop;
        const auto takeData = [&] {
            const QByteArray chunk = reply->readAll();
            // The body of a redirect is not the file's.
            if (isRedirect(statusOf(reply)))
                return;
            received += chunk.size();
            if (received > limits.maxBytes || file.write(chunk) != chunk.size())
                refuse();
        };
        QObject::connect(reply, &QNetworkReply::metaDataChanged, &hop, [&] {
            const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
            if (!isRedirect(statusOf(reply)) && declared.isValid() && declared.toLongLong() > limits.maxBytes)
                refuse();
        });
        QObject::connect(reply, &QNetworkReply::readyRead, &hop, takeData);
        QObject::connect(
            reply, &QNetworkReply::downloadProgress, &hop, [&progress](qint64 done, qint64 total) {
                if (total > 0 && total <= INT_MAX) {
                    progress.setMaximum(static_cast<int>(total));
                    progress.setValue(static_cast<int>(done));
                }
            });
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished())
            loop.exec();
        if (!refused && reply->isOpen())
            takeData();
        reply->deleteLater();

        const int status = statusOf(reply);
        const bool answered = !refused && reply->error() == QNetworkReply::NoError;
        if (answered && isRedirect(status)) {
            const QUrl target
                = current.resolved(reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
            if (redirects >= limits.maxRedirects || !sameServer(url, target))
                break;
            current = target;
            continue;
        }
        const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
        // A connection closed early can end without an error: the length tells.
        const bool whole = !declared.isValid() || declared.toLongLong() == received;
        if (answered && status >= 200 && status < 300 && whole)
            return file.commit();
        break;
    }
    file.cancelWriting();
    return false;
}

} // namespace velmora
