#include "widgets/PageControl.h"

#include <algorithm>

namespace velmora {

namespace {

class FixedTabBar : public QTabBar {
public:
    FixedTabBar(QWidget* parent, int tabWidth)
        : QTabBar(parent)
        , m_tabWidth(tabWidth)
    {
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (m_tabWidth > 0)
            size.setWidth(std::max(m_tabWidth, size.width()));
        return size;
    }

private:
    int m_tabWidth;
};

} // namespace

PageControl::PageControl(QWidget* parent, int tabWidth)
    : QTabWidget(parent)
{
    setTabBar(new FixedTabBar(this, tabWidth));
    // A click on the tab of the page already selected brings it back after "no page".
    connect(tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0)
            setActivePage(index);
    });
    connect(this, &QTabWidget::currentChanged, this, [this] { m_noPage = false; });
}

void PageControl::setActivePage(int index)
{
    if (index >= 0 && index < count()) {
        const bool backFromNoPage = m_noPage && index == currentIndex();
        m_noPage = false;
        setCurrentIndex(index);
        widget(index)->show();
        // QTabWidget sees no change when the page that stayed current comes back,
        // yet the selection went from none to this page.
        if (backFromNoPage)
            emit currentChanged(index);
        return;
    }
    m_noPage = true;
    if (QWidget* page = currentWidget())
        page->hide();
}

int PageControl::activePageIndex() const { return m_noPage ? -1 : currentIndex(); }

void PageControl::setTabsVisible(bool visible)
{
    tabBar()->setVisible(visible);
    // Without its tabs the control has nothing to take the focus: Tab would stop at it
    // (its focus goes to the hidden tab bar) instead of moving on into the page.
    setFocusPolicy(visible ? Qt::TabFocus : Qt::NoFocus);
}

} // namespace velmora
