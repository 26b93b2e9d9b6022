#include "app/UiSupport.h"

#include <QAction>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QToolBar>

namespace velmora {

QString toUiText(const std::string& text)
{
    QString lines = toQString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return lines;
}

QFont appFont()
{
    QFont font;
    font.setFamilies({ QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("WenQuanYi Micro Hei") });
    font.setPixelSize(14);
    return font;
}

void keepSelectionVisible(QPlainTextEdit* memo)
{
    QPalette palette = memo->palette();
    for (const auto role : { QPalette::Highlight, QPalette::HighlightedText })
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    memo->setPalette(palette);
}

QPlainTextEdit* makeCodeMemo(QWidget* parent, const QString& name)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setGeometry(8, 48, 353, 281);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Codes hold no tabs: Tab leaves the memo for the next control.
    memo->setTabChangesFocus(true);
    keepSelectionVisible(memo);
    return memo;
}

QLabel* makeCountLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(QStringLiteral("总共0注号码"), parent);
    label->setObjectName(name);
    label->setGeometry(11, 24, 353, 20);
    return label;
}

QToolBar* makePageToolBar(QWidget* page)
{
    auto* bar = new QToolBar(page);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setFixedHeight(29);
    return bar;
}

QAction* addPageButton(QToolBar* bar, const QString& caption)
{
    QAction* action = bar->addAction(caption);
    if (QWidget* button = bar->widgetForAction(action)) {
        button->setMinimumWidth(63);
        // A tool bar's buttons take no focus by default; these are reached by Tab.
        button->setFocusPolicy(Qt::TabFocus);
    }
    return action;
}

} // namespace velmora
