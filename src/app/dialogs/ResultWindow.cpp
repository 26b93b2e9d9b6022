#include "app/dialogs/ResultWindow.h"

#include "app/UiSupport.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace velmora {

ResultWindow::ResultWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("resultWindow"));
    setWindowTitle(QStringLiteral("查看缩水结果"));
    setFont(appFont());
    setGeometry(407, 23, 361, 391);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    keepSelectionVisible(m_memo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
}

} // namespace velmora
