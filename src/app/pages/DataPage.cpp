#include "app/pages/DataPage.h"

#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/draw/AppPaths.h"
#include "core/draw/DataFile.h"
#include "core/draw/DrawText.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace velmora {

namespace {

QString downloadOkText() { return QStringLiteral("Velmora在线更新开奖数据 成功!"); }
QString downloadFailedText() { return QStringLiteral("Velmora在线更新开奖数据 失败!"); }

// The editor keeps lines joined by '\n'; files hold CR LF.
QString editorText(const std::string& fileText)
{
    QString text = toQString(fileText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

DataPage::DataPage(Platform& platform, const QString& appFolder, int downloadTimeoutMs, QWidget* parent)
    : Page(platform, parent)
    , m_appFolder(appFolder)
    , m_dataFileName(toQString(appFilePath(toStdString(appFolder), kDataFileName)))
    , m_downloadTimeoutMs(downloadTimeoutMs)
{
    setObjectName(QStringLiteral("dataPage"));
    QVBoxLayout* layout = makeWorkPageLayout();
    addToolBarCommand(QStringLiteral("在线更新"), [this] { downloadDraws(); });
    toolBar()->addSeparator();
    addToolBarCommand(QStringLiteral("清空数据"), [this] { clearDraws(); });
    addToolBarCommand(QStringLiteral("导入数据"), [this] { importDraws(); });
    addToolBarCommand(QStringLiteral("保存数据"), [this] { saveDraws(); });

    m_editor = new QPlainTextEdit(this);
    m_editor->setObjectName(QStringLiteral("drawEditor"));
    m_editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The caret position is shown after each key and click in the editor.
    m_editor->installEventFilter(this);
    m_editor->viewport()->installEventFilter(this);
    layout->addWidget(m_editor);
}

QString DataPage::drawText() const { return m_editor->toPlainText(); }

void DataPage::setDrawText(const QString& text)
{
    m_editor->setPlainText(text);
    rebuildHistory();
}

bool DataPage::hasUnsavedChanges() const { return m_editor->toPlainText() != m_savedText; }

void DataPage::loadDataFile()
{
    // No data file yet is a first run, not a fault.
    if (QFileInfo::exists(m_dataFileName) || QFileInfo(m_dataFileName).isSymLink()) {
        // Runs before the event loop: no error may leave here, whatever its kind.
        std::string text;
        try {
            text = readDrawTextFile(toStdString(m_dataFileName));
        } catch (const std::exception& error) {
            m_dataFileUnreadable = true;
            platform().showMessage(this, toQString(error.what()));
        }
        if (!text.empty()) {
            m_editor->setPlainText(editorText(text));
            m_savedText = m_editor->toPlainText();
        }
    }
    rebuildHistory();
}

bool DataPage::saveDataFile()
{
    if (m_dataFileUnreadable
        && !platform().confirm(this,
            QStringLiteral("启动时无法读取数据文件 %1。\n"
                           "保存将用编辑器中的内容替换它，确定要保存吗？")
                .arg(m_dataFileName)))
        return false;
    const QString text = m_editor->toPlainText();
    // Also runs from the window's close event: no error may leave here.
    try {
        writeDrawTextFile(toStdString(m_dataFileName), toStdString(text));
    } catch (const std::exception& error) {
        platform().showMessage(this, toQString(error.what()));
        return false;
    }
    m_dataFileUnreadable = false;
    m_savedText = text;
    emit statusTextChanged(QStringLiteral("保存文档完毕"));
    return true;
}

void DataPage::rebuildHistory()
{
    dataTxtToCodeArr(splitLines(toStdString(m_editor->toPlainText())), m_history,
        [this](const std::string& message) { platform().showMessage(this, toQString(message)); });
    emit historyChanged();
}

void DataPage::clearDraws()
{
    m_editor->clear();
    rebuildHistory();
}

void DataPage::importDraws()
{
    const QString path = platform().openFileName(this, QStringLiteral("文本文件|*.txt"), QString());
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    // Read completely first: a file that cannot be read leaves the editor as it was.
    setDrawText(editorText(readDrawTextFile(toStdString(path))));
}

void DataPage::saveDraws()
{
    if (saveDataFile())
        rebuildHistory();
}

void DataPage::downloadDraws()
{
    const QString tmpPath = toQString(appFilePath(toStdString(m_appFolder), kDownloadFileName));
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
    bool ok = usable && platform().download(this, url, tmpPath, m_downloadTimeoutMs);
    if (ok) {
        try {
            text = readDrawTextFile(toStdString(tmpPath));
        } catch (const FileError&) {
            ok = false;
        }
        ok = ok && !text.empty();
    }
    if (!ok) {
        platform().showMessage(this, downloadFailedText());
        return;
    }
    platform().showMessage(this, downloadOkText());
    setDrawText(editorText(text));
}

void DataPage::showCaret()
{
    const QTextCursor cursor = m_editor->textCursor();
    emit statusTextChanged(
        QStringLiteral("第%1行%2列").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

bool DataPage::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::KeyRelease && watched == m_editor && m_editor->hasFocus())
        || (event->type() == QEvent::MouseButtonRelease && watched == m_editor->viewport()))
        showCaret();
    return Page::eventFilter(watched, event);
}

} // namespace velmora
