// The interface of the web view plugin (src/webpanel): the program loads it with
// QPluginLoader only when it shows a site, so that Qt WebEngine is neither linked
// into the program nor mapped into a process that never shows one.
#pragma once

#include <QtPlugin>

#include <functional>

class QUrl;
class QWidget;

namespace velmora {

class WebViewFactory {
public:
    virtual ~WebViewFactory() = default;

    // A web view as a child of parent; loaded(ok) runs whenever one of its pages
    // has finished loading (ok false for an error page).
    virtual QWidget* createView(QWidget* parent, std::function<void(bool ok)> loaded) = 0;
    // Makes a view that createView made show the page at url.
    virtual void showUrl(QWidget* view, const QUrl& url) = 0;
};

} // namespace velmora

#define VelmoraWebViewFactory_iid "org.velmora.WebViewFactory/1"
Q_DECLARE_INTERFACE(velmora::WebViewFactory, VelmoraWebViewFactory_iid)
