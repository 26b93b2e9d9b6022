// The smart recommendation page (TabSheet4): tool bar Sheet4Tbr above the group
// box Sheet4Gbx with the result memo Sheet4Memo, which FormResize stretches.
#include "Main/TMainForm.h"

#include "Code/CodeList.h"
#include "Main/Platform.h"
#include "Main/ResultActions.h"
#include "Main/TGroupBox.h"
#include "Main/TPageControl.h"
#include "Main/UiSupport.h"
#include "Shrink/Recommend.h"

#include <QDate>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include <optional>

namespace velmora {

namespace {

// Qt counts weekdays from Monday = 1 to Sunday = 7; the recommendation from Sunday = 1.
CalendarDate CalendarDateOf(const QDate& date)
{
    return { date.year(), date.month(), date.day(), date.dayOfWeek() % 7 + 1 };
}

} // namespace

void TMainForm::CreateRecommendPage()
{
    QVBoxLayout* layout = AddWorkPage(4, QStringLiteral("智能推荐"), TabSheet4, Sheet4Tbr);
    Sheet4TbrRcmDayBt
        = AddPageCommand(Sheet4Tbr, QStringLiteral("每日推荐"), &TMainForm::Sheet4TbrRcmDayBtClick);
    Sheet4TbrRcmWeekBt
        = AddPageCommand(Sheet4Tbr, QStringLiteral("每周推荐"), &TMainForm::Sheet4TbrRcmWeekBtClick);
    Sheet4TbrRcmMouthBt
        = AddPageCommand(Sheet4Tbr, QStringLiteral("每月推荐"), &TMainForm::Sheet4TbrRcmMouthBtClick);
    Sheet4Tbr->addSeparator();
    Sheet4TbrExportBt
        = AddPageCommand(Sheet4Tbr, QStringLiteral("导出结果"), &TMainForm::Sheet4TbrExportBtClick);
    Sheet4TbrCheckBt
        = AddPageCommand(Sheet4Tbr, QStringLiteral("结果兑奖"), &TMainForm::Sheet4TbrCheckBtClick);
    Sheet4TbrPrintBt
        = AddPageCommand(Sheet4Tbr, QStringLiteral("打印结果"), &TMainForm::Sheet4TbrPrintBtClick);

    Sheet4Gbx = new TGroupBox(QStringLiteral("智能推荐号码："), TabSheet4);
    Sheet4Gbx->setObjectName(QStringLiteral("Sheet4Gbx"));
    Sheet4Gbx->installEventFilter(this);
    layout->addWidget(Sheet4Gbx, 1);

    Sheet4TipsLbl = MakeCountLabel(Sheet4Gbx, QStringLiteral("Sheet4TipsLbl"));
    Sheet4Memo = MakeCodeMemo(Sheet4Gbx, QStringLiteral("Sheet4Memo"));
}

// Fewer than 10 draws: the refusal, and nothing changes.
void TMainForm::RunRecommend(RecommendKind kind)
{
    const std::optional<TCodeArr> codes
        = Recommend(kind, DrawHistory, CalendarDateOf(FPlatform.Now().date()));
    if (!codes) {
        FPlatform.ShowMessage(this, QString::fromUtf8(kRecommendRefusal));
        return;
    }
    Sheet4Codes = *codes;
    Sheet4Memo->setPlainText(MemoTextOfLines(CodeSetToLines(Sheet4Codes)));
    const QString text = ToQString(RecommendTipText(kind, Sheet4Codes));
    Sheet4TipsLbl->setText(text);
    SetStatusText(0, text);
}

void TMainForm::Sheet4TbrRcmDayBtClick() { RunRecommend(RecommendKind::Daily); }

void TMainForm::Sheet4TbrRcmWeekBtClick() { RunRecommend(RecommendKind::Weekly); }

void TMainForm::Sheet4TbrRcmMouthBtClick() { RunRecommend(RecommendKind::Monthly); }

void TMainForm::Sheet4TbrExportBtClick()
{
    ResultActions->ExportResult(Sheet4Codes, kRecommendLeadingText, true);
}

void TMainForm::Sheet4TbrCheckBtClick() { ResultActions->CheckPrize(Sheet4Memo); }

void TMainForm::Sheet4TbrPrintBtClick() { ResultActions->PrintMemo(Sheet4Memo); }

} // namespace velmora
