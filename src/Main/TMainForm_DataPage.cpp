// The draw-data page (TabSheet1): the history as editable text and its commands.
#include "Main/TMainForm.h"

#include "Draw/AppPaths.h"
#include "Draw/DataFile.h"
#include "Draw/DrawText.h"
#include "Main/Platform.h"
#include "Main/TPageControl.h"
#include "Main/UiSupport.h"

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
QString EditorText(const std::string& fileText)
{
    QString text = ToQString(fileText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

void TMainForm::CreateDataPage()
{
    QVBoxLayout* layout = AddWorkPage(1, QStringLiteral("开奖数据"), TabSheet1, Sheet1Tbr);
    Sheet1TbrDownBt = AddPageCommand(Sheet1Tbr, QStringLiteral("在线更新"), &TMainForm::FileMenuDownClick);
    Sheet1Tbr->addSeparator();
    Sheet1TbrClearBt
        = AddPageCommand(Sheet1Tbr, QStringLiteral("清空数据"), &TMainForm::Sheet1TbrClearBtClick);
    Sheet1TbrOmportBt
        = AddPageCommand(Sheet1Tbr, QStringLiteral("导入数据"), &TMainForm::Sheet1TbrOmportBtClick);
    Sheet1TbrSaveBt = AddPageCommand(Sheet1Tbr, QStringLiteral("保存数据"), &TMainForm::Sheet1TbrSaveBtClick);

    DataMemo = new QPlainTextEdit(TabSheet1);
    DataMemo->setObjectName(QStringLiteral("DataMemo"));
    DataMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    DataMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DataMemo->installEventFilter(this);
    DataMemo->viewport()->installEventFilter(this);
    layout->addWidget(DataMemo);
}

void TMainForm::LoadDataFile()
{
    const std::string path = ToStdString(DataFileName);
    // No data file yet is a first run, not a fault.
    if (!QFileInfo::exists(DataFileName) && !QFileInfo(DataFileName).isSymLink())
        return;
    // Runs before the event loop, and SaveDataFile also from the close event: no
    // error may leave these two, whatever its kind.
    std::string text;
    try {
        text = ReadDrawTextFile(path);
    } catch (const std::exception& error) {
        FDataFileUnreadable = true;
        FPlatform.ShowMessage(this, ToQString(error.what()));
        return;
    }
    if (text.empty())
        return;
    DataMemo->setPlainText(EditorText(text));
    FSavedText = DataMemo->toPlainText();
}

bool TMainForm::SaveDataFile()
{
    if (FDataFileUnreadable
        && !FPlatform.Confirm(this,
            QStringLiteral("启动时无法读取数据文件 %1。\n"
                           "保存将用编辑器中的内容替换它，确定要保存吗？")
                .arg(DataFileName)))
        return false;
    const QString text = DataMemo->toPlainText();
    try {
        WriteDrawTextFile(ToStdString(DataFileName), ToStdString(text));
    } catch (const std::exception& error) {
        FPlatform.ShowMessage(this, ToQString(error.what()));
        return false;
    }
    FDataFileUnreadable = false;
    FSavedText = text;
    SetStatusText(0, QStringLiteral("保存文档完毕"));
    return true;
}

void TMainForm::RebuildDrawHistory()
{
    velmora::DataTxtToCodeArr(SplitLines(ToStdString(DataMemo->toPlainText())), DrawHistory,
        [this](const std::string& message) { FPlatform.ShowMessage(this, ToQString(message)); });
}

void TMainForm::ApplyDrawText(const QString& text)
{
    DataMemo->setPlainText(text);
    RebuildDrawHistory();
}

void TMainForm::LoadDrawText(const QString& path)
{
    // Read completely first: a file that cannot be read leaves the editor as it was.
    ApplyDrawText(EditorText(ReadDrawTextFile(ToStdString(path))));
}

void TMainForm::Sheet1TbrClearBtClick()
{
    DataMemo->clear();
    RebuildDrawHistory();
}

void TMainForm::Sheet1TbrOmportBtClick()
{
    const QString path = FPlatform.OpenFileName(this, QStringLiteral("文本文件|*.txt"), QString());
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    LoadDrawText(path);
}

void TMainForm::Sheet1TbrSaveBtClick()
{
    if (SaveDataFile())
        RebuildDrawHistory();
}

void TMainForm::FileMenuDownClick()
{
    const QString tmpPath = ToQString(AppFilePath(ToStdString(AppFolder), kDownloadFileName));
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
    bool ok = usable && FPlatform.Download(this, url, tmpPath, FOptions.DownloadTimeoutMs);
    if (ok) {
        try {
            text = ReadDrawTextFile(ToStdString(tmpPath));
        } catch (const FileError&) {
            ok = false;
        }
        ok = ok && !text.empty();
    }
    if (!ok) {
        FPlatform.ShowMessage(this, kDownloadFailed);
        return;
    }
    FPlatform.ShowMessage(this, kDownloadOk);
    ApplyDrawText(EditorText(text));
}

} // namespace velmora
