// The six chart pages (TabSheet5 .. TabSheet10 of GridPctl): on each a top panel
// (33 pixels) for the query controls, the sheet's TH2Net grid filling the rest, and
// on TabSheet9 and TabSheet10 a legend panel (33 pixels) along the bottom.
#include "Main/TMainForm.h"

#include "H2Net/TH2Net.h"
#include "Main/Platform.h"
#include "Main/TPageControl.h"

#include <QFrame>
#include <QVBoxLayout>

namespace velmora {

namespace {

QFrame* MakeChartPanel(QWidget* sheet, const char* name, bool raised)
{
    auto* panel = new QFrame(sheet);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFixedHeight(33);
    if (raised)
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

} // namespace

void TMainForm::CreateChartPages()
{
    struct Spec {
        const char* sheet;
        const char* caption;
        const char* panelTop;
        const char* panelBottom;
        TH2Net** net;
        const char* netName;
    };
    const Spec specs[] = {
        { "TabSheet5", "3D走势图", "TabSheet5PanelTop", nullptr, &TabSheet5Net, "TabSheet5Net" },
        { "TabSheet6", "K线分布图", "TabSheet6PanelTop", nullptr, &TabSheet6Net, "TabSheet6Net" },
        { "TabSheet7", "和值分布图", "TabSheet7PanelTop", nullptr, &TabSheet7Net, "TabSheet7Net" },
        { "TabSheet8", "合值分布图", "TabSheet8PanelTop", nullptr, &TabSheet8Net, "TabSheet8Net" },
        { "TabSheet9", "奇偶走势图", "Panel1", "TabSheet9PanelTop", &TabSheet9Net, "TabSheet9Net" },
        { "TabSheet10", "大小走势图", "TabSheet10PanelTop", "Panel2", &TabSheet10Net, "TabSheet10Net" },
    };
    for (std::size_t i = 0; i < ChartSheets.size(); ++i) {
        const Spec& spec = specs[i];
        auto* sheet = new QWidget(GridPctl);
        sheet->setObjectName(QString::fromLatin1(spec.sheet));
        auto* layout = new QVBoxLayout(sheet);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);

        ChartPanelTops[i] = MakeChartPanel(sheet, spec.panelTop, true);
        layout->addWidget(ChartPanelTops[i]);

        auto* net = new TH2Net(sheet);
        net->setObjectName(QString::fromLatin1(spec.netName));
        connect(net, &TH2Net::MessageRaised, this,
            [this](const QString& text) { FPlatform.ShowMessage(this, text); });
        layout->addWidget(net, 1);
        *spec.net = net;

        if (spec.panelBottom) {
            ChartPanelBottoms[i] = MakeChartPanel(sheet, spec.panelBottom, false);
            layout->addWidget(ChartPanelBottoms[i]);
        }
        ChartSheets[i] = sheet;
        GridPctl->addTab(sheet, QString::fromUtf8(spec.caption));
    }
    GridPctl->SetActivePage(5);
}

std::array<TH2Net*, 6> TMainForm::ChartNets() const
{
    return { TabSheet5Net, TabSheet6Net, TabSheet7Net, TabSheet8Net, TabSheet9Net, TabSheet10Net };
}

} // namespace velmora
