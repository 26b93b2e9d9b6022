#include "app/Theme.h"

#include "app/platform/Platform.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace velmora {

namespace {

const QString kDarkKey = QStringLiteral("view/dark");

// The palette the application started with, taken before the first change.
const QPalette& startPalette()
{
    static const QPalette palette = QApplication::palette();
    return palette;
}

class FocusFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override
    {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const bool editFrame = element == PE_FrameLineEdit || element == PE_PanelLineEdit;
        if ((element == PE_FrameFocusRect || (editFrame && (option->state & State_HasFocus)))
            && option->rect.width() > 4 && option->rect.height() > 4) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing, false);
            painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option->rect.adjusted(1, 1, -1, -1));
            painter->restore();
        }
    }
};

} // namespace

void installFocusFrameStyle()
{
    if (dynamic_cast<FocusFrameStyle*>(QApplication::style()) != nullptr)
        return;
    // The palette the application had is kept first: a new style brings its own.
    startPalette();
    QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
}

QPalette darkPalette()
{
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    const QColor text(230, 230, 230);
    const QColor disabled(128, 128, 128);
    const QColor highlight(42, 130, 218);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, disabled);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Light, QColor(80, 80, 80));
    palette.setColor(QPalette::Midlight, QColor(66, 66, 66));
    palette.setColor(QPalette::Mid, QColor(40, 40, 40));
    palette.setColor(QPalette::Dark, QColor(30, 30, 30));
    palette.setColor(QPalette::Shadow, QColor(20, 20, 20));
    palette.setColor(QPalette::Link, QColor(110, 170, 255));
    palette.setColor(QPalette::LinkVisited, QColor(170, 140, 255));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    for (const QPalette::ColorRole role :
        { QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText })
        palette.setColor(QPalette::Disabled, role, disabled);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
    return palette;
}

bool isDarkPalette(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

QColor errorTextColor(const QPalette& palette)
{
    return isDarkPalette(palette) ? QColor(255, 128, 128) : QColor(0xc0, 0, 0);
}

QColor successTextColor(const QPalette& palette)
{
    return isDarkPalette(palette) ? QColor(128, 224, 128) : QColor(0, 0x60, 0);
}

bool darkThemeChosen(Platform& platform)
{
    return platform.setting(kDarkKey, isDarkPalette(startPalette())).toBool();
}

void applyDarkTheme(bool dark)
{
    // A system that starts dark has its own dark palette; its light one is the style's.
    const QPalette& start = startPalette();
    if (dark)
        QApplication::setPalette(isDarkPalette(start) ? start : darkPalette());
    else
        QApplication::setPalette(isDarkPalette(start) ? QApplication::style()->standardPalette() : start);
}

void setDarkTheme(Platform& platform, bool dark)
{
    platform.setSetting(kDarkKey, dark);
    applyDarkTheme(dark);
}

} // namespace velmora
