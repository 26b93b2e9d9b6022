#include "CodeView/TCodeViewForm.h"

#include "Main/UiSupport.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace velmora {

TCodeViewForm::TCodeViewForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("CodeViewForm"));
    setWindowTitle(QStringLiteral("查看缩水结果"));
    setFont(AppFont());
    setGeometry(407, 23, 361, 391);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    KeepSelectionVisible(Memo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo);
}

} // namespace velmora
