#include "app/ResultCommands.h"

#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/code/CodeSetText.h"
#include "core/code/Printout.h"
#include "core/code/PrizeCheck.h"
#include "core/io/TextFile.h"
#include "core/play/PrizeCheckReport.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>

namespace velmora {

ResultCommands::ResultCommands(Platform& platform, QWidget* parent, StatusFn setStatus, HistoryFn history)
    : m_platform(platform)
    , m_parent(parent)
    , m_setStatus(std::move(setStatus))
    , m_history(std::move(history))
{
}

void ResultCommands::setVerdictLine(QPlainTextEdit* memo, QLabel* line)
{
    m_verdictLines.insert(memo, line);
    line->hide();
    // A verdict speaks of the text it searched.
    QObject::connect(memo, &QPlainTextEdit::textChanged, line, [line] {
        line->clear();
        line->hide();
    });
}

void ResultCommands::tellVerdict(QPlainTextEdit* memo, const QString& verdict)
{
    if (QLabel* line = m_verdictLines.value(memo)) {
        line->setText(verdict);
        line->setToolTip(verdict);
        line->setVisible(!verdict.isEmpty());
    }
    m_setStatus(verdict);
}

bool ResultCommands::exportResult(const CodeSet& codes, const char* leadingText)
{
    // "缩水结果有" names the file "缩水结果-2026178.txt".
    QString name = QString::fromUtf8(leadingText);
    if (name.endsWith(u'有') || name.endsWith(u'共'))
        name.chop(1);
    if (m_issueOfResults)
        name += QLatin1Char('-') + m_issueOfResults();
    name += QStringLiteral(".txt");
    if (!m_lastFileName.isEmpty())
        name = QFileInfo(m_lastFileName).dir().filePath(name);
    const QString fileName
        = m_platform.saveFileName(m_parent, QStringLiteral("文本文件|*.txt"), QStringLiteral("txt"), name);
    if (fileName.isEmpty())
        return false;
    m_lastFileName = fileName;
    const auto lines = resultTextLines(leadingText, codes);
    writeResultFile(toStdString(fileName), lines);
    m_setStatus(
        QStringLiteral("已导出%1注到 %2").arg(codeSetCount(codes)).arg(QDir::toNativeSeparators(fileName)));
    return true;
}

void ResultCommands::checkPrize(QPlainTextEdit* memo)
{
    QString latest;
    if (m_history && !m_history().empty())
        latest = toQString(codeText(m_history().back().drawCode));
    const QString entry = m_platform.inputBox(
        m_parent, QString::fromUtf8(kPrizeCheckCaption), QString::fromUtf8(kPrizeCheckPrompt), latest);
    findCodeInMemo(memo, entry.trimmed());
}

void ResultCommands::findCodeInMemo(QPlainTextEdit* memo, const QString& entry)
{
    const PrizeCheckReport report = checkPrizeInText(toStdString(memo->toPlainText()), toStdString(entry));
    if (report.outcome == PrizeCheckReport::Outcome::NotSearched)
        return;
    showFound(memo, report.directHits, report.groupHits, toQString(report.statusText));
}

void ResultCommands::checkLatestDraw(QPlainTextEdit* memo)
{
    if (!m_history || m_history().empty()) {
        tellVerdict(memo, QStringLiteral("没有开奖数据，无法按最新一期兑奖"));
        return;
    }
    const ResultPrizeReport report
        = checkResultAgainstDraw(toStdString(memo->toPlainText()), m_history().back());
    showFound(memo, report.directHits, report.groupHits, toQString(report.statusText));
}

void ResultCommands::showFound(QPlainTextEdit* memo, const std::vector<std::size_t>& directHits,
    const std::vector<std::size_t>& groupHits, const QString& verdict)
{
    // The entered code is marked as a selection looks, the other codes of its group
    // in yellow; the marks replace those of the last search.
    QTextCharFormat directLook;
    directLook.setBackground(memo->palette().color(QPalette::Active, QPalette::Highlight));
    directLook.setForeground(memo->palette().color(QPalette::Active, QPalette::HighlightedText));
    QTextCharFormat groupLook;
    groupLook.setBackground(QColor(255, 226, 110));
    groupLook.setForeground(QColor(Qt::black));
    QList<QTextEdit::ExtraSelection> marks;
    const auto mark = [&](const std::vector<std::size_t>& hits, const QTextCharFormat& look) {
        for (const std::size_t at : hits) {
            QTextCursor code(memo->document());
            code.setPosition(static_cast<int>(at));
            code.setPosition(static_cast<int>(at) + 3, QTextCursor::KeepAnchor);
            marks.append({ code, look });
        }
    };
    mark(directHits, directLook);
    mark(groupHits, groupLook);
    memo->setExtraSelections(marks);

    // The first mark is selected, which scrolls the memo to it.
    QTextCursor cursor = memo->textCursor();
    cursor.clearSelection();
    if (!marks.isEmpty())
        cursor = marks.front().cursor;
    memo->setTextCursor(cursor);
    tellVerdict(memo, verdict);
}

void ResultCommands::printMemo(QPlainTextEdit* memo)
{
    const std::vector<std::string> lines = memoLines(memo);
    const QDateTime now = m_platform.now();
    const LocalDateTime when { now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
        now.time().minute(), now.time().second() };
    QStringList printed;
    for (const std::string& line : printoutLines(lines, when))
        printed << toQString(line);
    if (m_platform.printLines(m_parent, printed, kPrintoutFontSize)) {
        const std::size_t codes = codesInText(toStdString(memo->toPlainText())).size();
        m_setStatus(QStringLiteral("已打印%1注").arg(codes));
    }
}

QString memoTextOfLines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& line : lines)
        out << toQString(line);
    return out.join(QLatin1Char('\n'));
}

QString resultMemoText(const char* leadingText, const CodeSet& codes)
{
    return memoTextOfLines(resultTextLines(leadingText, codes));
}

std::vector<std::string> memoLines(const QPlainTextEdit* memo)
{
    const QString text = memo->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(toStdString(line));
    return lines;
}

} // namespace velmora
