#include "app/platform/UrlDownload.h"

#include "app/UiSupport.h"
#include "core/io/TextFile.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QProgressDialog>
#include <QSaveFile>
#include <QTimer>

#include <climits>
#include <optional>

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

// "404 Not Found": the server's own words for a status that is not a success.
QString statusText(const QNetworkReply* reply)
{
    const QString phrase = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
    const QString code = QString::number(statusOf(reply));
    return phrase.isEmpty() ? code : code + QLatin1Char(' ') + phrase;
}

QString networkErrorText(const QNetworkReply* reply)
{
    switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("连接被拒绝");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("找不到服务器");
    // Our own stops are recorded before the abort: any other cancel is the
    // transfer timeout's.
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return QStringLiteral("超时");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("内容不完整");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("安全连接失败");
    default:
        return QStringLiteral("网络错误：") + reply->errorString();
    }
}

// A redirect is trusted only when it stays with the server that was asked.
bool sameServer(const QUrl& asked, const QUrl& target)
{
    return target.isValid() && target.scheme().compare(asked.scheme(), Qt::CaseInsensitive) == 0
        && target.host().compare(asked.host(), Qt::CaseInsensitive) == 0;
}

QString tooLargeText(qint64 maxBytes) { return QStringLiteral("超过%1MB").arg(maxBytes >> 20); }

QString cannotWriteText(const QString& path, const QString& reason)
{
    return toQString(FileError::cannotWrite(toStdString(path), toStdString(reason)).what());
}

// One download: a request per redirect, all in one event loop. The reply reads at
// most one buffer ahead, and every chunk goes into the file as it arrives, so
// memory never holds more than a buffer of the body.
class Transfer : public QObject {
public:
    Transfer(QSaveFile& file, const QUrl& url, int timeoutMs, const DownloadLimits& limits)
        : m_file(file)
        , m_asked(url)
        , m_timeoutMs(timeoutMs)
        , m_limits(limits)
    {
        m_overall.setSingleShot(true);
        connect(&m_overall, &QTimer::timeout, this,
            [this] { stop(DownloadResult::failed(QStringLiteral("超时"))); });
    }

    DownloadResult run(QProgressDialog& progress)
    {
        connect(&progress, &QProgressDialog::canceled, this, [this] { stop(DownloadResult::canceled()); });
        m_progress = &progress;
        m_overall.start(m_limits.overallMs);
        send(m_asked);
        if (!m_result)
            m_loop.exec();
        return *m_result;
    }

private:
    void send(const QUrl& url)
    {
        m_current = url;
        m_received = 0;
        QNetworkRequest request(url);
        request.setTransferTimeout(m_timeoutMs);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        // The body as sent, so that its length can be held against Content-Length.
        request.setRawHeader("Accept-Encoding", "identity");
        m_reply = m_manager.get(request);
        m_reply->setReadBufferSize(kDownloadBufferBytes);
        connect(m_reply, &QNetworkReply::metaDataChanged, this, &Transfer::checkHeaders);
        connect(m_reply, &QNetworkReply::readyRead, this, &Transfer::takeData);
        connect(m_reply, &QNetworkReply::finished, this, &Transfer::finish);
        connect(m_reply, &QNetworkReply::downloadProgress, this, &Transfer::showProgress);
    }

    void checkHeaders()
    {
        const int status = statusOf(m_reply);
        if (isRedirect(status))
            return;
        if (status != 0 && (status < 200 || status >= 300)) {
            stop(DownloadResult::failed(statusText(m_reply)));
            return;
        }
        const QVariant declared = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (declared.isValid() && declared.toLongLong() > m_limits.maxBytes)
            stop(DownloadResult::failed(tooLargeText(m_limits.maxBytes)));
    }

    void takeData()
    {
        // The body of a redirect is not the file's.
        const bool redirect = isRedirect(statusOf(m_reply));
        while (!m_result && m_reply->bytesAvailable() > 0) {
            const QByteArray chunk = m_reply->read(kDownloadBufferBytes);
            if (redirect)
                continue;
            m_received += chunk.size();
            if (m_received > m_limits.maxBytes)
                stop(DownloadResult::failed(tooLargeText(m_limits.maxBytes)));
            else if (m_file.write(chunk) != chunk.size())
                stop(DownloadResult::failed(cannotWriteText(m_file.fileName(), m_file.errorString())));
        }
    }

    void finish()
    {
        if (m_result)
            return;
        const int status = statusOf(m_reply);
        if (m_reply->error() != QNetworkReply::NoError && (status < 300 || isRedirect(status))) {
            stop(DownloadResult::failed(networkErrorText(m_reply)));
            return;
        }
        if (isRedirect(status)) {
            followRedirect();
            return;
        }
        if (status < 200 || status >= 300) {
            stop(DownloadResult::failed(statusText(m_reply)));
            return;
        }
        takeData();
        const QVariant declared = m_reply->header(QNetworkRequest::ContentLengthHeader);
        // A connection closed early can end without an error: the length tells.
        if (!m_result && declared.isValid() && declared.toLongLong() != m_received)
            stop(DownloadResult::failed(QStringLiteral("内容不完整")));
        stop(DownloadResult::done());
    }

    void followRedirect()
    {
        const QUrl location = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        if (location.isEmpty()) {
            stop(DownloadResult::failed(statusText(m_reply)));
            return;
        }
        const QUrl target = m_current.resolved(location);
        if (!sameServer(m_asked, target)) {
            stop(DownloadResult::failed(QStringLiteral("重定向到其他网站")));
            return;
        }
        if (m_redirects >= m_limits.maxRedirects) {
            stop(DownloadResult::failed(QStringLiteral("重定向次数过多")));
            return;
        }
        ++m_redirects;
        m_reply->deleteLater();
        send(target);
    }

    void showProgress(qint64 done, qint64 total)
    {
        if (total > 0 && total <= INT_MAX) {
            m_progress->setMaximum(static_cast<int>(total));
            m_progress->setValue(static_cast<int>(done));
        }
    }

    // The first result counts; the reply is stopped and the loop ends.
    void stop(const DownloadResult& result)
    {
        if (m_result)
            return;
        m_result = result;
        m_overall.stop();
        if (m_reply && m_reply->isRunning())
            m_reply->abort();
        m_loop.quit();
    }

    QSaveFile& m_file;
    const QUrl m_asked;
    const int m_timeoutMs;
    const DownloadLimits m_limits;
    QNetworkAccessManager m_manager;
    QEventLoop m_loop;
    QTimer m_overall;
    QPointer<QNetworkReply> m_reply;
    QProgressDialog* m_progress = nullptr;
    QUrl m_current;
    int m_redirects = 0;
    qint64 m_received = 0;
    std::optional<DownloadResult> m_result;
};

} // namespace

DownloadResult downloadUrlToFile(
    QWidget* parent, const QUrl& url, const QString& path, int timeoutMs, const DownloadLimits& limits)
{
    // The body goes straight into a file that replaces the old one only on success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return DownloadResult::failed(cannotWriteText(path, file.errorString()));

    QProgressDialog progress(QStringLiteral("正在下载开奖数据……"), QStringLiteral("取消"), 0, 0, parent);
    progress.setWindowTitle(QStringLiteral("Velmora"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    // Starts the clock after which the dialog appears.
    progress.setValue(0);

    DownloadResult result = Transfer(file, url, timeoutMs, limits).run(progress);
    if (result && !file.commit())
        result = DownloadResult::failed(cannotWriteText(path, file.errorString()));
    if (!result)
        file.cancelWriting();
    return result;
}

} // namespace velmora
