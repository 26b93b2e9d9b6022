// The smart shrink page (TabSheet3): tool bar Sheet3Tbr above Sheet3Panel, which
// holds Sheet3PanelCenter (the base and result group boxes) and Sheet3PanelBottom
// (the shrink level and its button).
#include "Main/TMainForm.h"

#include "Code/CodeList.h"
#include "Main/Platform.h"
#include "Main/ResultActions.h"
#include "Main/TGroupBox.h"
#include "Main/TPageControl.h"
#include "Main/TTrackBar.h"
#include "Main/UiSupport.h"
#include "Shrink/SmartShrink.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <optional>

namespace velmora {

void TMainForm::CreateSmartPage()
{
    QVBoxLayout* layout = AddWorkPage(3, QStringLiteral("智能缩水"), TabSheet3, Sheet3Tbr);
    Sheet3ImportBt = AddPageCommand(Sheet3Tbr, QStringLiteral("导入号码"), &TMainForm::Sheet3ImportBtClick);
    Sheet3Tbr->addSeparator();
    Sheet3ExportBt = AddPageCommand(Sheet3Tbr, QStringLiteral("导出结果"), &TMainForm::Sheet3ExportBtClick);
    Sheet3TbrCheckBt
        = AddPageCommand(Sheet3Tbr, QStringLiteral("结果兑奖"), &TMainForm::Sheet3TbrCheckBtClick);
    Sheet3TbrPrintBt
        = AddPageCommand(Sheet3Tbr, QStringLiteral("打印结果"), &TMainForm::Sheet3TbrPrintBtClick);

    auto* panel = new QFrame(TabSheet3);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Sheet3Panel = panel;
    Sheet3Panel->setObjectName(QStringLiteral("Sheet3Panel"));
    Sheet3Panel->installEventFilter(this);
    layout->addWidget(Sheet3Panel, 1);

    Sheet3PanelCenter = new QWidget(Sheet3Panel);
    Sheet3PanelCenter->setObjectName(QStringLiteral("Sheet3PanelCenter"));
    Sheet3PanelCenter->setGeometry(1, 1, 764, 360);
    GroupBox1 = new TGroupBox(QStringLiteral("缩水基础号码："), Sheet3PanelCenter);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(4, 6, 373, 339);
    Sheet3Lblx1 = MakeCountLabel(GroupBox1, QStringLiteral("Sheet3Lblx1"));
    Sheet3InitMemo = MakeCodeMemo(GroupBox1, QStringLiteral("Sheet3InitMemo"));
    GroupBox2 = new TGroupBox(QStringLiteral("智能缩水结果："), Sheet3PanelCenter);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(388, 6, 373, 339);
    Sheet3Lblx2 = MakeCountLabel(GroupBox2, QStringLiteral("Sheet3Lblx2"));
    Sheet3TargetMemo = MakeCodeMemo(GroupBox2, QStringLiteral("Sheet3TargetMemo"));

    Sheet3PanelBottom = new QWidget(Sheet3Panel);
    Sheet3PanelBottom->setObjectName(QStringLiteral("Sheet3PanelBottom"));
    Sheet3PanelBottom->setGeometry(232, 360, 289, 33);
    QFont bold = AppFont();
    bold.setBold(true);
    Sheet3PanelBottom->setFont(bold);
    QPalette palette = Sheet3PanelBottom->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    palette.setColor(QPalette::ButtonText, Qt::blue);
    Sheet3PanelBottom->setPalette(palette);

    // The caption is wider here than in the design's font, so the slider and the
    // button follow it instead of sitting at fixed places beneath it.
    Label2 = new QLabel(QStringLiteral("缩水级别："), Sheet3PanelBottom);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->adjustSize();
    Label2->move(1, (Sheet3PanelBottom->height() - Label2->height()) / 2);

    Sheet3TrackBar = new TTrackBar(Qt::Horizontal, Sheet3PanelBottom);
    Sheet3TrackBar->setObjectName(QStringLiteral("Sheet3TrackBar"));
    Sheet3TrackBar->setRange(kMinShrinkLevel, kMaxShrinkLevel);
    Sheet3TrackBar->setValue(1);
    Sheet3TrackBar->setTickPosition(QSlider::TicksBelow);
    Sheet3TrackBar->setTickInterval(1);
    // Page Up/Down and a click in the channel step one level; an arrow key goes to an end.
    Sheet3TrackBar->setPageStep(1);
    Sheet3TrackBar->setSingleStep(10);
    Sheet3TrackBar->setGeometry(Label2->geometry().right() + 5, 4, 100, 24);
    Sheet3TrackBar->SetSelection(kMinShrinkLevel, Sheet3TrackBar->value());
    ConnectCommand(Sheet3TrackBar, &QSlider::valueChanged, [this] { Sheet3TrackBarChange(); });

    Sheet3ScaleBt = new QPushButton(QStringLiteral("智能缩水"), Sheet3PanelBottom);
    Sheet3ScaleBt->setObjectName(QStringLiteral("Sheet3ScaleBt"));
    Sheet3ScaleBt->setGeometry(Sheet3TrackBar->geometry().right() + 9, 5, 75, 25);
    ConnectCommand(Sheet3ScaleBt, &QPushButton::clicked, [this] { Sheet3ScaleBtClick(); });
}

void TMainForm::Sheet3ImportBtClick()
{
    Sheet3InitMemo->setPlainText(MemoTextOfLines(CodeSetToLines(Sheet2Codes)));
    const QString text = ToQString(SmartShrinkImportText(Sheet2Codes));
    Sheet3Lblx1->setText(text);
    SetStatusText(0, text);
}

void TMainForm::Sheet3ScaleBtClick()
{
    // The base is read from the memo at every run; a refusal keeps even the old base set.
    TCodeArr base;
    LinesToCodeSet(MemoLines(Sheet3InitMemo), base);
    const std::optional<TCodeArr> result = SmartShrink(base, Sheet3TrackBar->value(), DrawHistory);
    if (!result) {
        FPlatform.ShowMessage(this, QString::fromUtf8(kSmartShrinkRefusal));
        return;
    }
    Sheet3InitCodes = base;
    Sheet3TargetCodes = *result;
    Sheet3TargetMemo->setPlainText(MemoTextOfLines(CodeSetToLines(Sheet3TargetCodes)));
    const QString text = ToQString(SmartShrinkResultText(Sheet3TargetCodes));
    Sheet3Lblx2->setText(text);
    SetStatusText(0, text);
}

void TMainForm::Sheet3TrackBarChange()
{
    Sheet3TrackBar->SetSelection(kMinShrinkLevel, Sheet3TrackBar->value());
}

void TMainForm::Sheet3ExportBtClick()
{
    ResultActions->ExportResult(Sheet3TargetCodes, kSmartShrinkLeadingText, true);
}

void TMainForm::Sheet3TbrCheckBtClick() { ResultActions->CheckPrize(Sheet3TargetMemo); }

void TMainForm::Sheet3TbrPrintBtClick() { ResultActions->PrintMemo(Sheet3TargetMemo); }

} // namespace velmora
