// The smart recommendation page (tabSheet4): tool bar sheet4Tbr above the group
// box sheet4Gbx with the result memo sheet4Memo, which formResize stretches.
#include "app/MainWindow.h"

#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/code/CodeSetText.h"
#include "core/smart/Recommend.h"
#include "widgets/GroupBox.h"
#include "widgets/PageControl.h"

#include <QDate>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include <optional>

namespace velmora {

namespace {

// Qt counts weekdays from Monday = 1 to Sunday = 7; the recommendation from Sunday = 1.
CalendarDate calendarDateOf(const QDate& date)
{
    return { date.year(), date.month(), date.day(), date.dayOfWeek() % 7 + 1 };
}

} // namespace

void MainWindow::createRecommendPage()
{
    QVBoxLayout* layout = addWorkPage(4, QStringLiteral("智能推荐"), tabSheet4, sheet4Tbr);
    sheet4TbrRcmDayBt
        = addPageCommand(sheet4Tbr, QStringLiteral("每日推荐"), &MainWindow::sheet4TbrRcmDayBtClick);
    sheet4TbrRcmWeekBt
        = addPageCommand(sheet4Tbr, QStringLiteral("每周推荐"), &MainWindow::sheet4TbrRcmWeekBtClick);
    sheet4TbrRcmMouthBt
        = addPageCommand(sheet4Tbr, QStringLiteral("每月推荐"), &MainWindow::sheet4TbrRcmMouthBtClick);
    sheet4Tbr->addSeparator();
    sheet4TbrExportBt
        = addPageCommand(sheet4Tbr, QStringLiteral("导出结果"), &MainWindow::sheet4TbrExportBtClick);
    sheet4TbrCheckBt
        = addPageCommand(sheet4Tbr, QStringLiteral("结果兑奖"), &MainWindow::sheet4TbrCheckBtClick);
    sheet4TbrPrintBt
        = addPageCommand(sheet4Tbr, QStringLiteral("打印结果"), &MainWindow::sheet4TbrPrintBtClick);

    sheet4Gbx = new GroupBox(QStringLiteral("智能推荐号码："), tabSheet4);
    sheet4Gbx->setObjectName(QStringLiteral("Sheet4Gbx"));
    sheet4Gbx->installEventFilter(this);
    layout->addWidget(sheet4Gbx, 1);

    sheet4TipsLbl = makeCountLabel(sheet4Gbx, QStringLiteral("Sheet4TipsLbl"));
    sheet4Memo = makeCodeMemo(sheet4Gbx, QStringLiteral("Sheet4Memo"));
}

// Fewer than 10 draws: the refusal, and nothing changes.
void MainWindow::runRecommend(RecommendKind kind)
{
    const std::optional<CodeSet> codes = recommend(kind, m_history, calendarDateOf(m_platform.now().date()));
    if (!codes) {
        m_platform.showMessage(this, QString::fromUtf8(kRecommendRefusal));
        return;
    }
    sheet4Codes = *codes;
    sheet4Memo->setPlainText(memoTextOfLines(codeSetToLines(sheet4Codes)));
    const QString text = toQString(recommendTipText(kind, sheet4Codes));
    sheet4TipsLbl->setText(text);
    setStatusText(0, text);
}

void MainWindow::sheet4TbrRcmDayBtClick() { runRecommend(RecommendKind::Daily); }

void MainWindow::sheet4TbrRcmWeekBtClick() { runRecommend(RecommendKind::Weekly); }

void MainWindow::sheet4TbrRcmMouthBtClick() { runRecommend(RecommendKind::Monthly); }

void MainWindow::sheet4TbrExportBtClick()
{
    resultActions->exportResult(sheet4Codes, kRecommendLeadingText, true);
}

void MainWindow::sheet4TbrCheckBtClick() { resultActions->checkPrize(sheet4Memo); }

void MainWindow::sheet4TbrPrintBtClick() { resultActions->printMemo(sheet4Memo); }

} // namespace velmora
