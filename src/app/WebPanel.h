// The web panel: the maker's site ($VELMORA_SITE) or the start page built in, in
// Qt WebEngine when the build has it, in a text browser otherwise.
#pragma once

#include <QWidget>

namespace velmora {

class WebPanel : public QWidget {
    Q_OBJECT

public:
    // useWebEngine is ignored when the build has no WebEngine.
    WebPanel(bool useWebEngine, QWidget* parent);

    // The site shown by the panel and "彩票新闻": $VELMORA_SITE, or none.
    static QString siteAddress();

    // The view showing the page: the text browser from the start, the web engine's
    // view only once createWebEngineView has run.
    QWidget* browser() const { return m_browser; }
    // Makes the web engine's view (it costs much start-up time, so the window does
    // this once it has been painted) and shows the site in it.
    void createWebEngineView();
    // Shows the site, or the start page, in the view (when there is one yet).
    void showSite();

private:
    bool m_useWebEngine;
    QWidget* m_browser = nullptr;
};

} // namespace velmora
