#include "webpanel/WebEngineViewFactory.h"

#include <QUrl>
#include <QWebEngineView>

namespace velmora {

QWidget* WebEngineViewFactory::createView(QWidget* parent, std::function<void(bool ok)> loaded)
{
    auto* view = new QWebEngineView(parent);
    if (loaded)
        connect(view, &QWebEngineView::loadFinished, view, std::move(loaded));
    return view;
}

void WebEngineViewFactory::showUrl(QWidget* view, const QUrl& url)
{
    if (auto* webView = qobject_cast<QWebEngineView*>(view))
        webView->load(url);
}

} // namespace velmora
