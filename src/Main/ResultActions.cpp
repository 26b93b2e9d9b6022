#include "Main/ResultActions.h"

#include "Code/CodeList.h"
#include "Code/PrizeCheck.h"
#include "Code/Printout.h"
#include "Draw/DataFile.h"
#include "Main/Platform.h"
#include "Main/UiSupport.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCursor>

namespace velmora {

TResultActions::TResultActions(Platform& platform, QWidget* parent, StatusFn setStatus)
    : FPlatform(platform)
    , FParent(parent)
    , FSetStatus(std::move(setStatus))
{
}

bool TResultActions::ExportResult(const TCodeArr& codes, const char* leadingText, bool showHeader)
{
    const QString fileName = FPlatform.SaveFileName(
        FParent, QStringLiteral("文本文件|*.txt"), QStringLiteral("txt"), FLastFileName);
    if (fileName.isEmpty())
        return false;
    FLastFileName = fileName;
    const auto lines = ResultTextLines(leadingText, codes);
    WriteResultFile(ToStdString(fileName), lines);
    if (showHeader)
        FSetStatus(ToQString(lines.front()));
    return true;
}

void TResultActions::CheckPrize(QPlainTextEdit* memo)
{
    const QString entry = FPlatform.InputBox(
        FParent, QString::fromUtf8(kPrizeCheckCaption), QString::fromUtf8(kPrizeCheckPrompt), QString());
    if (entry.size() == 3)
        FindCodeInMemo(memo, entry);
}

void TResultActions::FindCodeInMemo(QPlainTextEdit* memo, const QString& entry)
{
    const PrizeCheckResult result = FindCodeInText(ToStdString(memo->toPlainText()), ToStdString(entry));
    if (result.Result == PrizeCheckResult::Outcome::NotSearched)
        return;
    QTextCursor cursor = memo->textCursor();
    cursor.clearSelection();
    if (result.Result == PrizeCheckResult::Outcome::Found) {
        cursor.setPosition(static_cast<int>(result.Position));
        cursor.setPosition(static_cast<int>(result.Position) + 3, QTextCursor::KeepAnchor);
    }
    memo->setTextCursor(cursor);
    FSetStatus(ToQString(result.StatusText));
}

void TResultActions::PrintMemo(QPlainTextEdit* memo)
{
    const std::vector<std::string> lines = MemoLines(memo);
    const QDateTime now = FPlatform.Now();
    const PrintDateTime when { now.date().year(), now.date().month(), now.date().day(),
        now.time().hour(), now.time().minute(), now.time().second() };
    QStringList printed;
    for (const std::string& line : PrintoutLines(lines, when))
        printed << ToQString(line);
    FPlatform.PrintLines(FParent, printed, kPrintoutFontSize);
}

QString MemoTextOfLines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& line : lines)
        out << ToQString(line);
    return out.join(QLatin1Char('\n'));
}

QString ResultMemoText(const char* leadingText, const TCodeArr& codes)
{
    return MemoTextOfLines(ResultTextLines(leadingText, codes));
}

std::vector<std::string> MemoLines(const QPlainTextEdit* memo)
{
    const QString text = memo->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(ToStdString(line));
    return lines;
}

} // namespace velmora
