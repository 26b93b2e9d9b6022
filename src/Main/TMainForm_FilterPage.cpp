// The filter page (TabSheet2): tool bar Sheet2Tbr, then in Sheet2Panel the
// recent-draw panel Sheet2PanelTop above Sheet2PanelCenter with the four group
// boxes of conditions, and the hidden Sheet2PanelBottom.
#include "Main/TMainForm.h"

#include "Main/TPageControl.h"
#include "Main/UiSupport.h"
#include "MultiChk/TMultiChk.h"

#include <QGroupBox>
#include <QToolBar>
#include <QVBoxLayout>

#include <initializer_list>

namespace velmora {

namespace {

constexpr int kPanelWidth = 764;
constexpr int kPanelTopHeight = 96;
constexpr int kPanelCenterHeight = 360;

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& title, QRect bounds)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(bounds);
    return box;
}

QStringList Digits(int count, int width)
{
    QStringList captions;
    for (int i = 0; i < count; ++i)
        captions << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return captions;
}

} // namespace

void TMainForm::CreateFilterPage()
{
    TabSheet2 = new QWidget(MainPctl);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* layout = new QVBoxLayout(TabSheet2);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Sheet2Tbr = MakePageToolBar(TabSheet2);
    Sheet2Tbr->setObjectName(QStringLiteral("Sheet2Tbr"));
    layout->addWidget(Sheet2Tbr);

    Sheet2Panel = new QWidget(TabSheet2);
    Sheet2Panel->setObjectName(QStringLiteral("Sheet2Panel"));
    Sheet2Panel->installEventFilter(this);
    layout->addWidget(Sheet2Panel, 1);

    Sheet2PanelTop = new QWidget(Sheet2Panel);
    Sheet2PanelTop->setObjectName(QStringLiteral("Sheet2PanelTop"));
    Sheet2PanelTop->setGeometry(0, 0, kPanelWidth, kPanelTopHeight);

    Sheet2PanelCenter = new QWidget(Sheet2Panel);
    Sheet2PanelCenter->setObjectName(QStringLiteral("Sheet2PanelCenter"));
    Sheet2PanelCenter->setGeometry(0, kPanelTopHeight, kPanelWidth, kPanelCenterHeight);
    Sheet2Gbx1
        = MakeGroupBox(Sheet2PanelCenter, "Sheet2Gbx1", QStringLiteral("出号范围："), QRect(4, 0, 440, 116));
    Sheet2Gbx2 = MakeGroupBox(
        Sheet2PanelCenter, "Sheet2Gbx2", QStringLiteral("比例及和值："), QRect(4, 118, 440, 240));
    Sheet2Gbx3 = MakeGroupBox(
        Sheet2PanelCenter, "Sheet2Gbx3", QStringLiteral("控制中奖号："), QRect(448, 0, 312, 152));
    Sheet2Gbx4 = MakeGroupBox(
        Sheet2PanelCenter, "Sheet2Gbx4", QStringLiteral("定位限制："), QRect(448, 154, 312, 204));

    Sheet2PanelBottom = new QWidget(Sheet2Panel);
    Sheet2PanelBottom->setObjectName(QStringLiteral("Sheet2PanelBottom"));
    Sheet2PanelBottom->setGeometry(0, kPanelCenterHeight + 3, 200, 33);
    Sheet2PanelBottom->hide();

    MainPctl->addTab(TabSheet2, QStringLiteral("缩水"));
    TabSheet2->installEventFilter(this);
}

void TMainForm::CreateFilterCheckControls()
{
    struct Spec {
        TMultiChk** control;
        QWidget* parent;
        const char* name;
        QStringList captions;
        int capWidth;
        int cols;
        int top;
        int left;
    };
    const QStringList hits = Digits(4, 1);
    const QStringList patterns = { QStringLiteral("300"), QStringLiteral("210"), QStringLiteral("201"),
        QStringLiteral("120"), QStringLiteral("111"), QStringLiteral("102"), QStringLiteral("030"),
        QStringLiteral("021"), QStringLiteral("012"), QStringLiteral("003") };
    const QStringList ratios
        = { QStringLiteral("0:3"), QStringLiteral("1:2"), QStringLiteral("2:1"), QStringLiteral("3:0") };
    const Spec specs[] = {
        { &Sheet2PanelTopChk1, Sheet2PanelTop, "Sheet2PanelTopChk1", hits, 10, 4, 12, 99 },
        { &Sheet2PanelTopChk2, Sheet2PanelTop, "Sheet2PanelTopChk2", hits, 10, 4, 28, 99 },
        { &Sheet2PanelTopChk3, Sheet2PanelTop, "Sheet2PanelTopChk3", hits, 10, 4, 44, 99 },
        { &Sheet2PanelTopChk4, Sheet2PanelTop, "Sheet2PanelTopChk4", hits, 10, 4, 12, 330 },
        { &Sheet2PanelTopChk5, Sheet2PanelTop, "Sheet2PanelTopChk5", hits, 10, 4, 28, 330 },
        { &Sheet2PanelTopChk6, Sheet2PanelTop, "Sheet2PanelTopChk6", hits, 10, 4, 44, 330 },
        { &Sheet2Gbx1Chk1, Sheet2Gbx1, "Sheet2Gbx1Chk1", Digits(10, 1), 10, 10, 42, 44 },
        { &Sheet2Gbx1Chk2, Sheet2Gbx1, "Sheet2Gbx1Chk2", Digits(10, 1), 10, 10, 64, 44 },
        { &Sheet2Gbx1Chk3, Sheet2Gbx1, "Sheet2Gbx1Chk3", Digits(10, 1), 10, 10, 86, 44 },
        { &Sheet2Gbx2Chk1, Sheet2Gbx2, "Sheet2Gbx2Chk1", Digits(10, 1), 14, 10, 20, 80 },
        { &Sheet2Gbx2Chk2, Sheet2Gbx2, "Sheet2Gbx2Chk2", Digits(30, 2), 14, 10, 46, 80 },
        { &Sheet2Gbx2Chk3, Sheet2Gbx2, "Sheet2Gbx2Chk3", patterns, 50, 5, 105, 80 },
        { &Sheet2Gbx2Chk4, Sheet2Gbx2, "Sheet2Gbx2Chk4", patterns, 50, 5, 145, 80 },
        { &Sheet2Gbx2Chk5, Sheet2Gbx2, "Sheet2Gbx2Chk5", ratios, 64, 4, 186, 80 },
        { &Sheet2Gbx2Chk6, Sheet2Gbx2, "Sheet2Gbx2Chk6", ratios, 64, 4, 212, 80 },
        { &Sheet2Gbx3Chk1, Sheet2Gbx3, "Sheet2Gbx3Chk1", hits, 14, 4, 24, 118 },
        { &Sheet2Gbx3Chk2, Sheet2Gbx3, "Sheet2Gbx3Chk2", hits, 14, 4, 48, 118 },
        { &Sheet2Gbx3Chk3, Sheet2Gbx3, "Sheet2Gbx3Chk3", hits, 14, 4, 72, 118 },
        { &Sheet2Gbx3Chk4, Sheet2Gbx3, "Sheet2Gbx3Chk4", hits, 14, 4, 96, 118 },
        { &Sheet2Gbx3Chk5, Sheet2Gbx3, "Sheet2Gbx3Chk5", hits, 14, 4, 120, 118 },
        { &Sheet2Gbx4Chk1, Sheet2Gbx4, "Sheet2Gbx4Chk1",
            { QStringLiteral("不连"), QStringLiteral("二连"), QStringLiteral("拖拉机") }, 50, 3, 140, 80 },
        { &Sheet2Gbx4Chk2, Sheet2Gbx4, "Sheet2Gbx4Chk2",
            { QStringLiteral("组六"), QStringLiteral("组三"), QStringLiteral("豹子") }, 50, 3, 160, 80 },
    };
    for (const Spec& spec : specs) {
        auto* control = new TMultiChk(spec.parent);
        control->setObjectName(QString::fromLatin1(spec.name));
        for (const QString& caption : spec.captions)
            control->AddItem(caption);
        control->SetCapWidth(spec.capWidth);
        control->SetCols(spec.cols);
        control->move(spec.left, spec.top);
        control->setCursor(Qt::PointingHandCursor);
        *spec.control = control;
    }
}

std::array<TMultiChk*, 22> TMainForm::FilterCheckControls() const
{
    return { Sheet2PanelTopChk1, Sheet2PanelTopChk2, Sheet2PanelTopChk3, Sheet2PanelTopChk4,
        Sheet2PanelTopChk5, Sheet2PanelTopChk6, Sheet2Gbx1Chk1, Sheet2Gbx1Chk2, Sheet2Gbx1Chk3,
        Sheet2Gbx2Chk1, Sheet2Gbx2Chk2, Sheet2Gbx2Chk3, Sheet2Gbx2Chk4, Sheet2Gbx2Chk5, Sheet2Gbx2Chk6,
        Sheet2Gbx3Chk1, Sheet2Gbx3Chk2, Sheet2Gbx3Chk3, Sheet2Gbx3Chk4, Sheet2Gbx3Chk5, Sheet2Gbx4Chk1,
        Sheet2Gbx4Chk2 };
}

void TMainForm::Sheet2TbrClearBtClick()
{
    for (TMultiChk* control : { Sheet2PanelTopChk1, Sheet2PanelTopChk2, Sheet2PanelTopChk3,
             Sheet2PanelTopChk4, Sheet2PanelTopChk5, Sheet2PanelTopChk6 })
        control->UncheckAll();
    for (int i = 0; i < 10; ++i) {
        Sheet2Gbx1Chk1->SetCheck(i, false);
        Sheet2Gbx1Chk2->SetCheck(i, false);
        Sheet2Gbx1Chk3->SetCheck(i, false);
    }
    for (TMultiChk* control :
        { Sheet2Gbx2Chk1, Sheet2Gbx2Chk2, Sheet2Gbx2Chk3, Sheet2Gbx2Chk4, Sheet2Gbx2Chk5, Sheet2Gbx2Chk6 })
        control->UncheckAll();
    for (TMultiChk* control :
        { Sheet2Gbx3Chk1, Sheet2Gbx3Chk2, Sheet2Gbx3Chk3, Sheet2Gbx3Chk4, Sheet2Gbx3Chk5 }) {
        for (int i = 0; i < 4; ++i)
            control->SetCheck(i, false);
    }
    for (int i = 0; i < 3; ++i) {
        Sheet2Gbx4Chk1->SetCheck(i, false);
        Sheet2Gbx4Chk2->SetCheck(i, false);
    }
}

} // namespace velmora
