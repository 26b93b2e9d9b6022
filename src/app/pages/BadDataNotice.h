// The line a page that analyses the history shows while the draw-data text has bad
// lines: the page then says why it stops instead of analysing a history that
// looks short, and comes back by itself once the lines are mended.
#pragma once

#include <QLabel>

namespace velmora {

class HistoryDocument;

class BadDataNotice : public QLabel {
    Q_OBJECT

public:
    static constexpr const char* kText = "开奖数据有错误，请先修正（F7）";

    BadDataNotice(const HistoryDocument& history, QWidget* parent);

    // The history of the game in front.
    void setHistory(const HistoryDocument& history);

    // True while the text has bad lines (the notice is shown with its page).
    bool active() const;

signals:
    // The bad lines are gone: the page brings what it shows up to date.
    void fixed();

private:
    const HistoryDocument* m_history = nullptr;
    QMetaObject::Connection m_watch;
};

} // namespace velmora
