// The smart shrink page (TabSheet3): tool bar Sheet3Tbr above Sheet3Panel, which
// holds Sheet3PanelCenter (the base and result group boxes) and Sheet3PanelBottom
// (the shrink level and its button).
#include "Main/TMainForm.h"

#include "Main/TPageControl.h"
#include "Main/UiSupport.h"

#include <QFrame>
#include <QGroupBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace velmora {

void TMainForm::CreateSmartPage()
{
    TabSheet3 = new QWidget(MainPctl);
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    auto* layout = new QVBoxLayout(TabSheet3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Sheet3Tbr = MakePageToolBar(TabSheet3);
    Sheet3Tbr->setObjectName(QStringLiteral("Sheet3Tbr"));
    layout->addWidget(Sheet3Tbr);

    auto* panel = new QFrame(TabSheet3);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Sheet3Panel = panel;
    Sheet3Panel->setObjectName(QStringLiteral("Sheet3Panel"));
    Sheet3Panel->installEventFilter(this);
    layout->addWidget(Sheet3Panel, 1);

    Sheet3PanelCenter = new QWidget(Sheet3Panel);
    Sheet3PanelCenter->setObjectName(QStringLiteral("Sheet3PanelCenter"));
    Sheet3PanelCenter->setGeometry(1, 1, 764, 360);
    GroupBox1 = new QGroupBox(QStringLiteral("缩水基础号码："), Sheet3PanelCenter);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(4, 6, 373, 339);
    GroupBox2 = new QGroupBox(QStringLiteral("智能缩水结果："), Sheet3PanelCenter);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(388, 6, 373, 339);

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

    MainPctl->addTab(TabSheet3, QStringLiteral("智能缩水"));
    TabSheet3->installEventFilter(this);
}

} // namespace velmora
