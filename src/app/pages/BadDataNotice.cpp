#include "app/pages/BadDataNotice.h"

#include "app/HistoryDocument.h"

namespace velmora {

BadDataNotice::BadDataNotice(const HistoryDocument& history, QWidget* parent)
    : QLabel(QString::fromUtf8(kText), parent)
{
    setObjectName(QStringLiteral("badDataNotice"));
    // Its own colours, readable in the light and the dark palette alike.
    setStyleSheet(QStringLiteral("QLabel { color: #800000; background: #ffd6d6; padding: 6px; }"));
    setTextFormat(Qt::PlainText);
    setHistory(history);
}

void BadDataNotice::setHistory(const HistoryDocument& history)
{
    disconnect(m_watch);
    m_history = &history;
    setVisible(active());
    m_watch = connect(m_history, &HistoryDocument::badLinesChanged, this, [this] {
        setVisible(active());
        if (!active())
            emit fixed();
    });
}

bool BadDataNotice::active() const { return !m_history->badLines().empty(); }

} // namespace velmora
