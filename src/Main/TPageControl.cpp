#include "Main/TPageControl.h"

#include <algorithm>

namespace velmora {

namespace {

class TFixedTabBar : public QTabBar {
public:
    TFixedTabBar(QWidget* parent, int tabWidth)
        : QTabBar(parent)
        , FTabWidth(tabWidth)
    {
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (FTabWidth > 0)
            size.setWidth(std::max(FTabWidth, size.width()));
        return size;
    }

private:
    int FTabWidth;
};

} // namespace

TPageControl::TPageControl(QWidget* parent, int tabWidth)
    : QTabWidget(parent)
{
    setTabBar(new TFixedTabBar(this, tabWidth));
    // A click on the tab of the page already selected brings it back after "no page".
    connect(tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0)
            SetActivePage(index);
    });
    connect(this, &QTabWidget::currentChanged, this, [this] { FNoPage = false; });
}

void TPageControl::SetActivePage(int index)
{
    if (index >= 0 && index < count()) {
        const bool backFromNoPage = FNoPage && index == currentIndex();
        FNoPage = false;
        setCurrentIndex(index);
        widget(index)->show();
        // QTabWidget sees no change when the page that stayed current comes back,
        // yet the selection went from none to this page.
        if (backFromNoPage)
            emit currentChanged(index);
        return;
    }
    FNoPage = true;
    if (QWidget* page = currentWidget())
        page->hide();
}

int TPageControl::ActivePageIndex() const { return FNoPage ? -1 : currentIndex(); }

void TPageControl::SetTabsVisible(bool visible) { tabBar()->setVisible(visible); }

} // namespace velmora
