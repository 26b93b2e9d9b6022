#include "app/platform/QtPlatform.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>

#include <stdexcept>

namespace velmora {

namespace {

const QString kCaption = QStringLiteral("Velmora");
const QString kPrintToPdfKey = QStringLiteral("print/toPdf");
const QString kLastPdfFileKey = QStringLiteral("print/lastPdfFile");

const QString kLastFolderKey = QStringLiteral("files/lastFolder");

QString askFileName(QWidget* parent, QFileDialog::AcceptMode mode, const QString& filter,
    const QString& defaultExt, const QString& initialName)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    // Any typed name is accepted: the import itself ignores a file that does not exist.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qtNameFilters(filter));
    dialog.setDefaultSuffix(defaultExt);
    // A bare name, or none, goes in the folder used last, else in the documents.
    QSettings settings;
    QString folder = settings.value(kLastFolderKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(folder);
    if (!initialName.isEmpty())
        dialog.selectFile(
            QFileInfo(initialName).isAbsolute() ? initialName : QDir(folder).filePath(initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString chosen = dialog.selectedFiles().constFirst();
    settings.setValue(kLastFolderKey, QFileInfo(chosen).absolutePath());
    return chosen;
}

// The part of the screen a dialog of parent may take, leaving room for the frame.
QSize screenRoom(QWidget* parent)
{
    QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen != nullptr ? screen->availableGeometry().size() : QSize(640, 480);
    return available * 9 / 10;
}

// A message too long for a message box: its text scrolls inside a dialog that
// fits the screen, so the OK button always stays in sight.
void showScrollingMessage(
    QWidget* parent, const QString& text, const QSize& room, QStyle::StandardPixmap iconKind)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(kCaption);
    auto* icon = new QLabel(&dialog);
    const int iconSize = dialog.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &dialog);
    icon->setPixmap(dialog.style()->standardIcon(iconKind).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* scroll = new QScrollArea(&dialog);
    scroll->setObjectName(QStringLiteral("MessageScroll"));
    scroll->setWidget(label);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QGridLayout(&dialog);
    layout->addWidget(icon, 0, 0);
    layout->addWidget(scroll, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
    dialog.setMaximumSize(room);
    dialog.resize(room.boundedTo(dialog.sizeHint().expandedTo(label->sizeHint() + QSize(iconSize * 3, 80))));
    dialog.exec();
}

// A message box, or the scrolling dialog for a text too long for the screen.
void showMessageBox(QWidget* parent, const QString& text, bool warning)
{
    QMessageBox box(
        warning ? QMessageBox::Warning : QMessageBox::Information, kCaption, text, QMessageBox::Ok, parent);
    const QSize room = screenRoom(parent);
    const QSize wanted = box.sizeHint();
    if (wanted.width() <= room.width() && wanted.height() <= room.height()) {
        box.exec();
        return;
    }
    showScrollingMessage(
        parent, text, room, warning ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation);
}

} // namespace

QString qtNameFilters(const QString& filter)
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

void QtPlatform::showMessage(QWidget* parent, const QString& text) { showMessageBox(parent, text, false); }

void QtPlatform::showWarning(QWidget* parent, const QString& text) { showMessageBox(parent, text, true); }

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

namespace {

// One button per choice; the last is the cancel and the default.
int chooseWithIcon(QWidget* parent, const QString& text, const QStringList& choices, QMessageBox::Icon icon)
{
    QMessageBox box(icon, kCaption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (qsizetype i = 0; i < choices.size(); ++i) {
        const bool last = i + 1 == choices.size();
        buttons << box.addButton(choices[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    }
    if (!buttons.isEmpty()) {
        box.setDefaultButton(static_cast<QPushButton*>(buttons.last()));
        box.setEscapeButton(buttons.last());
    }
    box.exec();
    const qsizetype index = buttons.indexOf(box.clickedButton());
    return static_cast<int>(index >= 0 ? index : choices.size() - 1);
}

} // namespace

int QtPlatform::choose(QWidget* parent, const QString& text, const QStringList& choices)
{
    return chooseWithIcon(parent, text, choices, QMessageBox::Question);
}

int QtPlatform::chooseOnWarning(QWidget* parent, const QString& text, const QStringList& choices)
{
    return chooseWithIcon(parent, text, choices, QMessageBox::Warning);
}

int QtPlatform::runDialog(QDialog& dialog) { return dialog.exec(); }

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

DownloadResult QtPlatform::download(QWidget* parent, const QUrl& url, const QString& path, int timeoutMs)
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
    // The dialog opens on the PDF file of the last print when that went to a file.
    if (m_lastPrintToPdf.isEmpty() && setting(kPrintToPdfKey, false).toBool())
        m_lastPrintToPdf = setting(kLastPdfFileKey, QString()).toString();
    if (!m_lastPrintToPdf.isEmpty())
        printer.setOutputFileName(m_lastPrintToPdf);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    m_lastPrintToPdf = toPdf ? printer.outputFileName() : QString();
    setSetting(kPrintToPdfKey, toPdf);
    if (toPdf)
        setSetting(kLastPdfFileKey, m_lastPrintToPdf);
    printLinesTo(printer, lines, pointSize);
    return true;
}

bool QtPlatform::shellOpen(const QUrl& url) { return QDesktopServices::openUrl(url); }

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
