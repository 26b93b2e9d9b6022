#include "app/dialogs/ResultWindow.h"

#include "app/UiSupport.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace velmora {

ResultWindow::ResultWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("CodeViewForm"));
    setWindowTitle(QStringLiteral("查看缩水结果"));
    setFont(appFont());
    setGeometry(407, 23, 361, 391);

    memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo"));
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    keepSelectionVisible(memo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo);
}

} // namespace velmora
