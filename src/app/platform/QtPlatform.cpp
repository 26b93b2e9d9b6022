#include "app/platform/QtPlatform.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>

#include <stdexcept>

namespace velmora {

namespace {

const QString kCaption = QStringLiteral("Velmora");

QString askFileName(QWidget* parent, QFileDialog::AcceptMode mode, const QString& filter,
    const QString& defaultExt, const QString& initialName)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    // Any typed name is accepted: the import itself ignores a file that does not exist.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtNameFilters(filter));
    dialog.setDefaultSuffix(defaultExt);
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

void QtPlatform::showMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Information, kCaption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtPlatform::confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

SaveChoice QtPlatform::askSaveChanges(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, kCaption, text,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

QString QtPlatform::inputBox(
    QWidget* parent, const QString& caption, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    return ok ? text : QString();
}

QString QtPlatform::openFileName(QWidget* parent, const QString& filter, const QString& defaultExt)
{
    return askFileName(parent, QFileDialog::AcceptOpen, filter, defaultExt, QString());
}

QString QtPlatform::saveFileName(
    QWidget* parent, const QString& filter, const QString& defaultExt, const QString& initialName)
{
    return askFileName(parent, QFileDialog::AcceptSave, filter, defaultExt, initialName);
}

bool downloadUrlToFile(QWidget* parent, const QUrl& url, const QString& path, int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = manager.get(request);

    QProgressDialog progress(QStringLiteral("正在下载开奖数据……"), QStringLiteral("取消"), 0, 0, parent);
    progress.setWindowTitle(kCaption);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    // Starts the clock after which the dialog appears.
    progress.setValue(0);

    // A time-out aborts the reply with the same error as a cancel; either is a failure.
    QObject::connect(&progress, &QProgressDialog::canceled, reply, &QNetworkReply::abort);
    QObject::connect(
        reply, &QNetworkReply::downloadProgress, &progress, [&progress](qint64 received, qint64 total) {
            if (total > 0 && total <= INT_MAX) {
                progress.setMaximum(static_cast<int>(total));
                progress.setValue(static_cast<int>(received));
            }
        });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    QObject::disconnect(&progress, nullptr, reply, nullptr);

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
    const QByteArray body = ok ? reply->readAll() : QByteArray();
    reply->deleteLater();
    if (!ok)
        return false;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(body);
    return file.commit();
}

bool QtPlatform::download(QWidget* parent, const QUrl& url, const QString& path, int timeoutMs)
{
    return downloadUrlToFile(parent, url, path, timeoutMs);
}

void printLinesTo(QPrinter& printer, const QStringList& lines, int pointSize)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("无法打开打印机");
    QFont font;
    font.setFamilies({ QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei") });
    font.setPointSize(pointSize);
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const int pageHeight = printer.height();
    int y = 0;
    for (const QString& line : lines) {
        if (y > 0 && y + metrics.height() > pageHeight) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += metrics.lineSpacing();
    }
    painter.end();
}

bool QtPlatform::printLines(QWidget* parent, const QStringList& lines, int pointSize)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printLinesTo(printer, lines, pointSize);
    return true;
}

void QtPlatform::shellOpen(const QUrl& url) { QDesktopServices::openUrl(url); }

void QtPlatform::showAbout(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QDateTime QtPlatform::now() { return QDateTime::currentDateTime(); }

// Settings live in ~/.config/velmora/velmora.conf (XDG_CONFIG_HOME respected).
QVariant QtPlatform::setting(const QString& key, const QVariant& defaultValue)
{
    const QSettings settings(QStringLiteral("velmora"), QStringLiteral("velmora"));
    return settings.value(key, defaultValue);
}

void QtPlatform::setSetting(const QString& key, const QVariant& value)
{
    QSettings settings(QStringLiteral("velmora"), QStringLiteral("velmora"));
    settings.setValue(key, value);
}

} // namespace velmora
