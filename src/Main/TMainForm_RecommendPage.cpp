// The smart recommendation page (TabSheet4): tool bar Sheet4Tbr above the group
// box Sheet4Gbx with the result memo Sheet4Memo, which FormResize stretches.
#include "Main/TMainForm.h"

#include "Main/TPageControl.h"
#include "Main/UiSupport.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace velmora {

void TMainForm::CreateRecommendPage()
{
    TabSheet4 = new QWidget(MainPctl);
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    auto* layout = new QVBoxLayout(TabSheet4);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Sheet4Tbr = MakePageToolBar(TabSheet4);
    Sheet4Tbr->setObjectName(QStringLiteral("Sheet4Tbr"));
    layout->addWidget(Sheet4Tbr);

    Sheet4Gbx = new QGroupBox(QStringLiteral("智能推荐号码："), TabSheet4);
    Sheet4Gbx->setObjectName(QStringLiteral("Sheet4Gbx"));
    Sheet4Gbx->installEventFilter(this);
    layout->addWidget(Sheet4Gbx, 1);

    Sheet4Memo = new QPlainTextEdit(Sheet4Gbx);
    Sheet4Memo->setObjectName(QStringLiteral("Sheet4Memo"));
    Sheet4Memo->setGeometry(8, 48, 353, 281);
    Sheet4Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    KeepSelectionVisible(Sheet4Memo);

    MainPctl->addTab(TabSheet4, QStringLiteral("智能推荐"));
    TabSheet4->installEventFilter(this);
}

} // namespace velmora
