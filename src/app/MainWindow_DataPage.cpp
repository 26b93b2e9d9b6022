// The draw-data page (tabSheet1): the history as editable text and its commands.
#include "app/MainWindow.h"

#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/draw/AppPaths.h"
#include "core/draw/DataFile.h"
#include "core/draw/DrawText.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace velmora {

namespace {

const QString kDownloadOk = QStringLiteral("Velmora在线更新开奖数据 成功!");
const QString kDownloadFailed = QStringLiteral("Velmora在线更新开奖数据 失败!");

// The editor keeps lines joined by '\n'; files hold CR LF.
QString editorText(const std::string& fileText)
{
    QString text = toQString(fileText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

void MainWindow::createDataPage()
{
    QVBoxLayout* layout = addWorkPage(1, QStringLiteral("开奖数据"), tabSheet1, sheet1Tbr);
    sheet1TbrDownBt = addPageCommand(sheet1Tbr, QStringLiteral("在线更新"), &MainWindow::fileMenuDownClick);
    sheet1Tbr->addSeparator();
    sheet1TbrClearBt
        = addPageCommand(sheet1Tbr, QStringLiteral("清空数据"), &MainWindow::sheet1TbrClearBtClick);
    sheet1TbrOmportBt
        = addPageCommand(sheet1Tbr, QStringLiteral("导入数据"), &MainWindow::sheet1TbrOmportBtClick);
    sheet1TbrSaveBt
        = addPageCommand(sheet1Tbr, QStringLiteral("保存数据"), &MainWindow::sheet1TbrSaveBtClick);

    dataMemo = new QPlainTextEdit(tabSheet1);
    dataMemo->setObjectName(QStringLiteral("DataMemo"));
    dataMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    dataMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    dataMemo->installEventFilter(this);
    dataMemo->viewport()->installEventFilter(this);
    layout->addWidget(dataMemo);
}

void MainWindow::loadDataFile()
{
    const std::string path = toStdString(dataFileName);
    // No data file yet is a first run, not a fault.
    if (!QFileInfo::exists(dataFileName) && !QFileInfo(dataFileName).isSymLink())
        return;
    // Runs before the event loop, and saveDataFile also from the close event: no
    // error may leave these two, whatever its kind.
    std::string text;
    try {
        text = readDrawTextFile(path);
    } catch (const std::exception& error) {
        m_dataFileUnreadable = true;
        m_platform.showMessage(this, toQString(error.what()));
        return;
    }
    if (text.empty())
        return;
    dataMemo->setPlainText(editorText(text));
    m_savedText = dataMemo->toPlainText();
}

bool MainWindow::saveDataFile()
{
    if (m_dataFileUnreadable
        && !m_platform.confirm(this,
            QStringLiteral("启动时无法读取数据文件 %1。\n"
                           "保存将用编辑器中的内容替换它，确定要保存吗？")
                .arg(dataFileName)))
        return false;
    const QString text = dataMemo->toPlainText();
    try {
        writeDrawTextFile(toStdString(dataFileName), toStdString(text));
    } catch (const std::exception& error) {
        m_platform.showMessage(this, toQString(error.what()));
        return false;
    }
    m_dataFileUnreadable = false;
    m_savedText = text;
    setStatusText(0, QStringLiteral("保存文档完毕"));
    return true;
}

void MainWindow::rebuildDrawHistory()
{
    velmora::dataTxtToCodeArr(splitLines(toStdString(dataMemo->toPlainText())), m_history,
        [this](const std::string& message) { m_platform.showMessage(this, toQString(message)); });
}

void MainWindow::applyDrawText(const QString& text)
{
    dataMemo->setPlainText(text);
    rebuildDrawHistory();
}

void MainWindow::loadDrawText(const QString& path)
{
    // Read completely first: a file that cannot be read leaves the editor as it was.
    applyDrawText(editorText(readDrawTextFile(toStdString(path))));
}

void MainWindow::sheet1TbrClearBtClick()
{
    dataMemo->clear();
    rebuildDrawHistory();
}

void MainWindow::sheet1TbrOmportBtClick()
{
    const QString path = m_platform.openFileName(this, QStringLiteral("文本文件|*.txt"), QString());
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    loadDrawText(path);
}

void MainWindow::sheet1TbrSaveBtClick()
{
    if (saveDataFile())
        rebuildDrawHistory();
}

void MainWindow::fileMenuDownClick()
{
    const QString tmpPath = toQString(appFilePath(toStdString(appFolder), kDownloadFileName));
    if (QFileInfo::exists(tmpPath))
        QFile::remove(tmpPath);

    QString server = qEnvironmentVariable("VELMORA_SERVER").trimmed();
    while (server.endsWith(QLatin1Char('/')))
        server.chop(1);
    const QUrl url(server + QStringLiteral("/3dcp.txt"), QUrl::StrictMode);
    const bool usable = !server.isEmpty() && url.isValid()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));

    // The whole text is read before anything changes; an empty answer is a failure too.
    std::string text;
    bool ok = usable && m_platform.download(this, url, tmpPath, m_options.downloadTimeoutMs);
    if (ok) {
        try {
            text = readDrawTextFile(toStdString(tmpPath));
        } catch (const FileError&) {
            ok = false;
        }
        ok = ok && !text.empty();
    }
    if (!ok) {
        m_platform.showMessage(this, kDownloadFailed);
        return;
    }
    m_platform.showMessage(this, kDownloadOk);
    applyDrawText(editorText(text));
}

} // namespace velmora
