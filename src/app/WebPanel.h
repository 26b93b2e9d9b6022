// The web panel: the start page built in, shown in a text browser, or the maker's
// site ($VELMORA_SITE) in the web view of the plugin (WebViewFactory). The plugin,
// and with it Qt WebEngine, is loaded the first time a site is shown after the
// window has been painted; where it cannot be loaded the panel shows the site's
// address with a button that opens it in the system's browser.
#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QStackedLayout;
class QTextBrowser;

namespace velmora {

class Platform;
class WebViewFactory;

class WebPanel : public QWidget {
    Q_OBJECT

public:
    // pluginFolders are searched in order for the web view plugin; none: the panel
    // never loads it and shows a site as its address with the button.
    WebPanel(Platform& platform, const QStringList& pluginFolders, QWidget* parent);

    // The site shown by the panel and "彩票新闻": $VELMORA_SITE, or none.
    static QString siteAddress();
    // Where the program looks for the web view plugin: lib/velmora beside the
    // executable's folder, as the build and an install lay it out.
    static QStringList defaultPluginFolders();

    // The widget on show: the text browser ("webBrowser"), the web view ("webView")
    // or the address with its button ("siteFallback").
    QWidget* currentView() const;
    // The plugin's web view; none until a site has been shown in it.
    QWidget* webView() const { return m_webView; }

    // Shows the site, or the start page when there is none. Before windowPainted()
    // a site is shown as the start page with its address, since the web view costs
    // much start-up time.
    void showSite();
    // The window has been painted: from now on a site goes to the web view, and
    // one on show now moves there.
    void windowPainted();

signals:
    // The web view has finished loading a page; ok is false for an error page.
    void pageLoaded(bool ok);

protected:
    // The start page follows the palette: a dark one gets its light blue.
    void changeEvent(QEvent* event) override;

private:
    // The plugin's factory, loaded on first use; none when it cannot be loaded.
    WebViewFactory* webViewFactory();
    void showFallback(const QString& site);

    Platform& m_platform;
    QStringList m_pluginFolders;
    bool m_windowPainted = false;
    bool m_pluginTried = false;
    WebViewFactory* m_factory = nullptr;
    QStackedLayout* m_stack = nullptr;
    QTextBrowser* m_startPage = nullptr;
    QWidget* m_webView = nullptr;
    QWidget* m_fallback = nullptr;
    QLabel* m_fallbackAddress = nullptr;
};

} // namespace velmora
