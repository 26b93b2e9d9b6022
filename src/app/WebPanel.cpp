#include "app/WebPanel.h"

#include "app/Theme.h"
#include "app/WebViewFactory.h"
#include "app/platform/Platform.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPluginLoader>
#include <QPushButton>
#include <QStackedLayout>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace velmora {

namespace {

const char* const kPluginName = "velmora_webpanel";

// The title and the command names in a blue that reads on the palette's window.
QString startPageHtml(const QString& site, const QPalette& palette)
{
    const bool dark = isDarkPalette(palette);
    const QString blue = dark ? palette.color(QPalette::Link).name() : QStringLiteral("#1d4e89");
    const QString grey = dark ? QStringLiteral("#a0a0a0") : QStringLiteral("#666");
    // The command names in colour rather than bold: a bold face costs start-up a few megabytes.
    static constexpr std::array<std::pair<const char*, const char*>, 9> kCommands = { {
        { "彩种", "：福彩3D（Ctrl+1）或排列三（Ctrl+2），各有自己的开奖数据、备份和投注。" },
        { "开奖数据",
            "（F2）：查看和编辑历史开奖数据，每行一期；可以在线更新（F3，21:30 "
            "以后也会自动更新）、添加开奖（Ctrl+N）、导入文本文件，改好后请点“保存数据”（Ctrl+"
            "S）。每次保存都留下备份，可以“恢复备份”；有错误的行用“下一处错误”（F7）逐个找到。" },
        { "缩水", "（F4）：按定位、胆码、和值、比例、连号等条件从 1000 注号码中筛选。" },
        { "智能缩水", "（F5）：按最近 10 期各数字的出现次数，把一组号码缩到选定的级别。" },
        { "智能推荐", "（F6）：给出每日、每周、每月推荐号码（Alt+1、Alt+2、Alt+3）。" },
        { "号码工具", "（Ctrl+F8）：转组选、组选转直选、组六包号、组三包号、交集、并集、差集。" },
        { "我的投注",
            "（F9）：记录投注，开奖后自动兑奖（直选1040元，组三346元，组六173元），统计投入、奖金和盈亏；各结"
            "果页的“记入投注”（Ctrl+T）把结果记成一张投注。" },
        { "分析图表",
            "（Ctrl+F1 至 "
            "Ctrl+F7）：走势图、K线分布图、和值与合值分布图、奇偶与大小走势图、遗漏统计表；期数可一键选 "
            "30、50、100 或全部。" },
        { "帮助信息", "（F1）：打开帮助文件 readme.txt。" },
    } };
    QString html = QStringLiteral(
        "<html><head><meta charset=\"utf-8\"><title>Velmora</title></head>"
        "<body style=\"font-family:'SimSun','Noto Serif CJK SC','WenQuanYi Micro Hei';"
        "margin:24px;\">"
        "<h2 style=\"color:%1; font-weight:normal;\">Velmora V6.00 &nbsp;福彩3D和排列三分析缩水工具</h2>"
        "<p>欢迎使用 Velmora。常用的操作都在上方的菜单和工具栏里：</p><ul>")
                       .arg(blue);
    for (const auto& [name, text] : kCommands)
        html += QStringLiteral("<li><span style=\"color:%1;\">%2</span>%3</li>")
                    .arg(blue, QString::fromUtf8(name), QString::fromUtf8(text));
    html += QStringLiteral("</ul>");
    if (!site.isEmpty()) {
        html += QStringLiteral("<p>我们的网站：<a href=\"%1\">%1</a></p>").arg(site.toHtmlEscaped());
    }
    html
        += QStringLiteral("<p style=\"color:%1;\">版权所有 © Velmora 软件工作室</p></body></html>").arg(grey);
    return html;
}

} // namespace

WebPanel::WebPanel(Platform& platform, const QStringList& pluginFolders, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_pluginFolders(pluginFolders)
{
    setObjectName(QStringLiteral("webPanel"));
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_startPage = new QTextBrowser(this);
    m_startPage->setObjectName(QStringLiteral("webBrowser"));
    m_startPage->setOpenExternalLinks(true);
    m_stack->addWidget(m_startPage);
}

QString WebPanel::siteAddress() { return qEnvironmentVariable("VELMORA_SITE").trimmed(); }

QStringList WebPanel::defaultPluginFolders()
{
    return { QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../")
        + QStringLiteral(VELMORA_PLUGIN_DIR)) };
}

QWidget* WebPanel::currentView() const { return m_stack->currentWidget(); }

void WebPanel::showSite()
{
    const QString site = siteAddress();
    if (site.isEmpty() || !m_windowPainted) {
        m_startPage->setHtml(startPageHtml(site, QApplication::palette()));
        m_stack->setCurrentWidget(m_startPage);
        return;
    }
    WebViewFactory* factory = webViewFactory();
    if (!factory) {
        showFallback(site);
        return;
    }
    if (!m_webView) {
        m_webView = factory->createView(this, [this](bool ok) { emit pageLoaded(ok); });
        m_webView->setObjectName(QStringLiteral("webView"));
        m_stack->addWidget(m_webView);
    }
    factory->showUrl(m_webView, QUrl::fromUserInput(site));
    m_stack->setCurrentWidget(m_webView);
}

void WebPanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    const bool palette
        = event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange;
    if (palette && m_stack->currentWidget() == m_startPage)
        m_startPage->setHtml(startPageHtml(siteAddress(), QApplication::palette()));
}

void WebPanel::windowPainted()
{
    if (m_windowPainted)
        return;
    m_windowPainted = true;
    if (isVisible() && !siteAddress().isEmpty())
        showSite();
}

WebViewFactory* WebPanel::webViewFactory()
{
    if (m_pluginTried)
        return m_factory;
    m_pluginTried = true;
    for (const QString& folder : std::as_const(m_pluginFolders)) {
        QPluginLoader loader(QDir(folder).filePath(QString::fromLatin1(kPluginName)));
        // A plugin that loads keeps its library for the life of the process.
        QObject* plugin = loader.instance();
        m_factory = qobject_cast<WebViewFactory*>(plugin);
        if (m_factory)
            return m_factory;
        qWarning("web view plugin not loaded from %s: %s", qPrintable(folder),
            plugin ? "not a web view plugin" : qPrintable(loader.errorString()));
    }
    return nullptr;
}

void WebPanel::showFallback(const QString& site)
{
    if (!m_fallback) {
        m_fallback = new QWidget(this);
        m_fallback->setObjectName(QStringLiteral("siteFallback"));
        auto* layout = new QVBoxLayout(m_fallback);
        layout->setContentsMargins(24, 24, 24, 24);
        auto* reason
            = new QLabel(QStringLiteral("本机没有可用的网页组件，无法在程序中显示网站。"), m_fallback);
        reason->setObjectName(QStringLiteral("siteFallbackReason"));
        m_fallbackAddress = new QLabel(m_fallback);
        m_fallbackAddress->setObjectName(QStringLiteral("siteAddress"));
        m_fallbackAddress->setTextFormat(Qt::PlainText);
        m_fallbackAddress->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* open = new QPushButton(QStringLiteral("在浏览器中打开"), m_fallback);
        open->setObjectName(QStringLiteral("openSiteButton"));
        connect(open, &QPushButton::clicked, this,
            [this] { m_platform.shellOpen(QUrl::fromUserInput(m_fallbackAddress->text())); });
        layout->addWidget(reason);
        layout->addWidget(m_fallbackAddress);
        layout->addWidget(open, 0, Qt::AlignLeft);
        layout->addStretch(1);
        m_stack->addWidget(m_fallback);
    }
    m_fallbackAddress->setText(site);
    m_stack->setCurrentWidget(m_fallback);
}

} // namespace velmora
