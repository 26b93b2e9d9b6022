#include "app/dialogs/HelpWindow.h"

#include "app/UiSupport.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("helpWindow"));
    setFont(appFont());
    resize(640, 480);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("helpText"));
    m_text->setReadOnly(true);
    // Read-only text still takes the focus, so that it scrolls with the keys.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
}

void HelpWindow::showText(const QString& fileName, const QString& text)
{
    setWindowTitle(QStringLiteral("帮助信息 - ") + fileName);
    m_text->setPlainText(text);
    m_text->moveCursor(QTextCursor::Start);
    if (!isVisible() && parentWidget() != nullptr)
        centreOn(*parentWidget()->window());
    show();
    raise();
    activateWindow();
}

void HelpWindow::centreOn(const QWidget& owner)
{
    // A window not yet shown has no frame: it is taken to be as wide as the owner's.
    QRect frame(QPoint(), size() + owner.frameGeometry().size() - owner.size());
    frame.moveCenter(owner.frameGeometry().center());
    // Kept on the owner's screen, the title bar first.
    if (const QScreen* screen = owner.screen()) {
        const QRect area = screen->availableGeometry();
        frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
        frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    }
    move(frame.topLeft());
}

QString HelpWindow::text() const { return m_text->toPlainText(); }

} // namespace velmora
