// The result window "查看缩水结果": a stay-on-top window holding one memo that
// the filter page fills, shows and hides.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace velmora {

class ResultWindow : public QWidget {
    Q_OBJECT

public:
    explicit ResultWindow(QWidget* parent = nullptr);

    // The memo the filter page fills and its result commands search and print.
    QPlainTextEdit* memo() const { return m_memo; }

private:
    QPlainTextEdit* m_memo = nullptr;
};

} // namespace velmora
