// The smart shrink page (tabSheet3): tool bar sheet3Tbr above sheet3Panel, which
// holds sheet3PanelCenter (the base and result group boxes) and sheet3PanelBottom
// (the shrink level and its button).
#include "app/MainWindow.h"

#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/code/CodeSetText.h"
#include "core/smart/SmartShrink.h"
#include "widgets/GroupBox.h"
#include "widgets/PageControl.h"
#include "widgets/TrackBar.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <optional>

namespace velmora {

void MainWindow::createSmartPage()
{
    QVBoxLayout* layout = addWorkPage(3, QStringLiteral("智能缩水"), tabSheet3, sheet3Tbr);
    sheet3ImportBt = addPageCommand(sheet3Tbr, QStringLiteral("导入号码"), &MainWindow::sheet3ImportBtClick);
    sheet3Tbr->addSeparator();
    sheet3ExportBt = addPageCommand(sheet3Tbr, QStringLiteral("导出结果"), &MainWindow::sheet3ExportBtClick);
    sheet3TbrCheckBt
        = addPageCommand(sheet3Tbr, QStringLiteral("结果兑奖"), &MainWindow::sheet3TbrCheckBtClick);
    sheet3TbrPrintBt
        = addPageCommand(sheet3Tbr, QStringLiteral("打印结果"), &MainWindow::sheet3TbrPrintBtClick);

    auto* panel = new QFrame(tabSheet3);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sheet3Panel = panel;
    sheet3Panel->setObjectName(QStringLiteral("Sheet3Panel"));
    sheet3Panel->installEventFilter(this);
    layout->addWidget(sheet3Panel, 1);

    sheet3PanelCenter = new QWidget(sheet3Panel);
    sheet3PanelCenter->setObjectName(QStringLiteral("Sheet3PanelCenter"));
    sheet3PanelCenter->setGeometry(1, 1, 764, 360);
    groupBox1 = new GroupBox(QStringLiteral("缩水基础号码："), sheet3PanelCenter);
    groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    groupBox1->setGeometry(4, 6, 373, 339);
    sheet3Lblx1 = makeCountLabel(groupBox1, QStringLiteral("Sheet3Lblx1"));
    sheet3InitMemo = makeCodeMemo(groupBox1, QStringLiteral("Sheet3InitMemo"));
    groupBox2 = new GroupBox(QStringLiteral("智能缩水结果："), sheet3PanelCenter);
    groupBox2->setObjectName(QStringLiteral("GroupBox2"));
    groupBox2->setGeometry(388, 6, 373, 339);
    sheet3Lblx2 = makeCountLabel(groupBox2, QStringLiteral("Sheet3Lblx2"));
    sheet3TargetMemo = makeCodeMemo(groupBox2, QStringLiteral("Sheet3TargetMemo"));

    sheet3PanelBottom = new QWidget(sheet3Panel);
    sheet3PanelBottom->setObjectName(QStringLiteral("Sheet3PanelBottom"));
    sheet3PanelBottom->setGeometry(232, 360, 289, 33);
    QFont bold = appFont();
    bold.setBold(true);
    sheet3PanelBottom->setFont(bold);
    QPalette palette = sheet3PanelBottom->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    palette.setColor(QPalette::ButtonText, Qt::blue);
    sheet3PanelBottom->setPalette(palette);

    // The caption is wider here than in the design's font, so the slider and the
    // button follow it instead of sitting at fixed places beneath it.
    label2 = new QLabel(QStringLiteral("缩水级别："), sheet3PanelBottom);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->adjustSize();
    label2->move(1, (sheet3PanelBottom->height() - label2->height()) / 2);

    sheet3TrackBar = new TrackBar(Qt::Horizontal, sheet3PanelBottom);
    sheet3TrackBar->setObjectName(QStringLiteral("Sheet3TrackBar"));
    sheet3TrackBar->setRange(kMinShrinkLevel, kMaxShrinkLevel);
    sheet3TrackBar->setValue(1);
    sheet3TrackBar->setTickPosition(QSlider::TicksBelow);
    sheet3TrackBar->setTickInterval(1);
    // Page Up/Down and a click in the channel step one level; an arrow key goes to an end.
    sheet3TrackBar->setPageStep(1);
    sheet3TrackBar->setSingleStep(10);
    sheet3TrackBar->setGeometry(label2->geometry().right() + 5, 4, 100, 24);
    sheet3TrackBar->setSelection(kMinShrinkLevel, sheet3TrackBar->value());
    connectCommand(sheet3TrackBar, &QSlider::valueChanged, [this] { sheet3TrackBarChange(); });

    sheet3ScaleBt = new QPushButton(QStringLiteral("智能缩水"), sheet3PanelBottom);
    sheet3ScaleBt->setObjectName(QStringLiteral("Sheet3ScaleBt"));
    sheet3ScaleBt->setGeometry(sheet3TrackBar->geometry().right() + 9, 5, 75, 25);
    connectCommand(sheet3ScaleBt, &QPushButton::clicked, [this] { sheet3ScaleBtClick(); });
}

void MainWindow::sheet3ImportBtClick()
{
    sheet3InitMemo->setPlainText(memoTextOfLines(codeSetToLines(sheet2Codes)));
    const QString text = toQString(smartShrinkImportText(sheet2Codes));
    sheet3Lblx1->setText(text);
    setStatusText(0, text);
}

void MainWindow::sheet3ScaleBtClick()
{
    // The base is read from the memo at every run; a refusal keeps even the old base set.
    CodeSet base;
    linesToCodeSet(memoLines(sheet3InitMemo), base);
    const std::optional<CodeSet> result = smartShrink(base, sheet3TrackBar->value(), m_history);
    if (!result) {
        m_platform.showMessage(this, QString::fromUtf8(kSmartShrinkRefusal));
        return;
    }
    sheet3InitCodes = base;
    sheet3TargetCodes = *result;
    sheet3TargetMemo->setPlainText(memoTextOfLines(codeSetToLines(sheet3TargetCodes)));
    const QString text = toQString(smartShrinkResultText(sheet3TargetCodes));
    sheet3Lblx2->setText(text);
    setStatusText(0, text);
}

void MainWindow::sheet3TrackBarChange()
{
    sheet3TrackBar->setSelection(kMinShrinkLevel, sheet3TrackBar->value());
}

void MainWindow::sheet3ExportBtClick()
{
    resultActions->exportResult(sheet3TargetCodes, kSmartShrinkLeadingText, true);
}

void MainWindow::sheet3TbrCheckBtClick() { resultActions->checkPrize(sheet3TargetMemo); }

void MainWindow::sheet3TbrPrintBtClick() { resultActions->printMemo(sheet3TargetMemo); }

} // namespace velmora
