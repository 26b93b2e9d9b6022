#include "app/dialogs/HelpWindow.h"

#include "app/UiSupport.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

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
    show();
    raise();
    activateWindow();
}

QString HelpWindow::text() const { return m_text->toPlainText(); }

} // namespace velmora
