// A tab widget whose tabs can be hidden, with a fixed tab width, and which can
// show no page at all (an index past its pages leaves an empty area under the tabs).
#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace velmora {

class TPageControl : public QTabWidget {
    Q_OBJECT

public:
    // tabWidth 0 keeps the natural width of each tab.
    explicit TPageControl(QWidget* parent = nullptr, int tabWidth = 0);

    // Selects page index; an index outside the pages selects none.
    void SetActivePage(int index);
    // The selected page, or -1 while none is.
    int ActivePageIndex() const;
    void SetTabsVisible(bool visible);

private:
    bool FNoPage = false;
};

} // namespace velmora
