// The web view plugin: Qt WebEngine's view behind the program's WebViewFactory.
#pragma once

#include "app/WebViewFactory.h"

#include <QObject>

namespace velmora {

class WebEngineViewFactory : public QObject, public WebViewFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VelmoraWebViewFactory_iid FILE "webpanel.json")
    Q_INTERFACES(velmora::WebViewFactory)

public:
    QWidget* createView(QWidget* parent, std::function<void(bool ok)> loaded) override;
    void showUrl(QWidget* view, const QUrl& url) override;
};

} // namespace velmora
