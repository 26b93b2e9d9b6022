#include "app/WebPanel.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#ifdef VELMORA_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

namespace velmora {

namespace {

QString startPageHtml(const QString& site)
{
    QString html = QStringLiteral(
        "<html><head><meta charset=\"utf-8\"><title>Velmora</title></head>"
        "<body style=\"font-family:'SimSun','Noto Serif CJK SC','WenQuanYi Micro Hei';"
        "margin:24px;\">"
        "<h2 style=\"color:#1d4e89;\">Velmora V6.00 &nbsp;3D彩票分析缩水工具</h2>"
        "<p>欢迎使用 Velmora。常用的操作都在上方的菜单和工具栏里：</p>"
        "<ul>"
        "<li><b>开奖数据</b>（F2）：查看和编辑历史开奖数据，每行一期；"
        "可以在线更新（F3）、导入文本文件，改好后请点“保存数据”。</li>"
        "<li><b>缩水</b>（F4）：按定位、胆码、和值、比例、连号等条件从 1000 注号码中筛选。</li>"
        "<li><b>智能缩水</b>（F5）：按最近 10 期各数字的出现次数，把一组号码缩到选定的级别。</li>"
        "<li><b>智能推荐</b>（F6）：给出每日、每周、每月推荐号码。</li>"
        "<li><b>分析图表</b>（Ctrl+F1 至 Ctrl+F6）：走势图、K线分布图、和值与合值分布图、"
        "奇偶与大小走势图。</li>"
        "<li><b>帮助信息</b>（F1）：打开帮助文件 readme.txt。</li>"
        "</ul>");
    if (!site.isEmpty()) {
        html += QStringLiteral("<p>我们的网站：<a href=\"%1\">%1</a></p>").arg(site.toHtmlEscaped());
    }
    html += QStringLiteral("<p style=\"color:#666;\">版权所有 © Velmora 软件工作室</p></body></html>");
    return html;
}

} // namespace

WebPanel::WebPanel(bool useWebEngine, QWidget* parent)
    : QWidget(parent)
    , m_useWebEngine(useWebEngine)
{
    setObjectName(QStringLiteral("webPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
#ifndef VELMORA_HAVE_WEBENGINE
    m_useWebEngine = false;
#endif
    if (!m_useWebEngine) {
        auto* browser = new QTextBrowser(this);
        browser->setOpenExternalLinks(true);
        m_browser = browser;
        m_browser->setObjectName(QStringLiteral("webBrowser"));
        layout->addWidget(m_browser);
    }
}

QString WebPanel::siteAddress() { return qEnvironmentVariable("VELMORA_SITE").trimmed(); }

void WebPanel::createWebEngineView()
{
#ifdef VELMORA_HAVE_WEBENGINE
    if (m_browser)
        return;
    m_browser = new QWebEngineView(this);
    m_browser->setObjectName(QStringLiteral("webBrowser"));
    layout()->addWidget(m_browser);
    showSite();
#endif
}

void WebPanel::showSite()
{
    const QString site = siteAddress();
    if (auto* browser = qobject_cast<QTextBrowser*>(m_browser)) {
        // A text browser cannot show a web site: it shows the start page with the address.
        browser->setHtml(startPageHtml(site));
        return;
    }
#ifdef VELMORA_HAVE_WEBENGINE
    if (auto* view = qobject_cast<QWebEngineView*>(m_browser)) {
        if (site.isEmpty())
            view->setHtml(startPageHtml(site));
        else
            view->load(QUrl::fromUserInput(site));
    }
#endif
}

} // namespace velmora
