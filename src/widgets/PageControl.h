// A tab widget whose tabs can be hidden, with a fixed tab width, and which can
// show no page at all (an index past its pages leaves an empty area under the tabs).
#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace velmora {

class PageControl : public QTabWidget {
    Q_OBJECT

public:
    // tabWidth 0 keeps the natural width of each tab.
    explicit PageControl(QWidget* parent = nullptr, int tabWidth = 0);

    // Selects page index; an index outside the pages selects none.
    void setActivePage(int index);
    // The selected page, or -1 while none is.
    int activePageIndex() const;
    // Hidden tabs also take the control out of the Tab chain (its pages stay in it).
    void setTabsVisible(bool visible);

private:
    bool m_noPage = false;
};

} // namespace velmora
