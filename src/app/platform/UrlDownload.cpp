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

// A redirect is trusted only when it stays with the server that was asked.
bool sameServer(const QUrl& asked, const QUrl& target)
{
    return target.scheme().compare(asked.scheme(), Qt::CaseInsensitive) == 0
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
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(limits.maxRedirects);
    // The body as sent, so that its length can be held against Content-Length.
    request.setRawHeader("Accept-Encoding", "identity");
    QNetworkReply* reply = manager.get(request);

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
    qint64 received = 0;
    const auto refuse = [&refused, reply] {
        refused = true;
        reply->abort();
    };
    const auto takeData = [&] {
        const QByteArray chunk = reply->readAll();
        received += chunk.size();
        if (received > limits.maxBytes || file.write(chunk) != chunk.size())
            refuse();
    };

    QObject::connect(&progress, &QProgressDialog::canceled, reply, &QNetworkReply::abort);
    // Context of the handlers below: gone before the manager deletes the reply.
    QObject handlers;
    QObject::connect(reply, &QNetworkReply::redirected, &handlers, [&url, reply, refuse](const QUrl& target) {
        if (sameServer(url, target))
            emit reply->redirectAllowed();
        else
            refuse();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &handlers, [reply, &limits, refuse] {
        const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
        if (declared.isValid() && declared.toLongLong() > limits.maxBytes)
            refuse();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &handlers, takeData);
    QObject::connect(
        reply, &QNetworkReply::downloadProgress, &progress, [&progress](qint64 done, qint64 total) {
            if (total > 0 && total <= INT_MAX) {
                progress.setMaximum(static_cast<int>(total));
                progress.setValue(static_cast<int>(done));
            }
        });
    QTimer overall;
    overall.setSingleShot(true);
    QObject::connect(&overall, &QTimer::timeout, &handlers, refuse);
    overall.start(limits.overallMs);

    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    overall.stop();
    QObject::disconnect(&progress, nullptr, reply, nullptr);
    if (!refused)
        takeData();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
    // A connection closed early can end without an error: the length tells.
    const bool whole = !declared.isValid() || declared.toLongLong() == received;
    const bool ok
        = !refused && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300 && whole;
    reply->deleteLater();
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace velmora
