// The smart recommendation page "智能推荐": daily, weekly and monthly
// recommendations and the result commands.
#pragma once

#include "app/pages/Page.h"
#include "core/code/CodeSet.h"

class QLabel;
class QPlainTextEdit;

namespace velmora {

class BadDataNotice;
class HistoryDocument;
class ResultCommands;
enum class RecommendKind;

class RecommendPage : public Page {
    Q_OBJECT

public:
    RecommendPage(
        Platform& platform, ResultCommands& commands, const HistoryDocument& history, QWidget* parent);

    // The codes of the last recommendation that was not refused.
    const CodeSet& result() const { return m_result; }

    // The history of the game in front; the page reads it from now on.
    void setHistory(const HistoryDocument& history);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One recommendation of the kind; fewer than 10 draws: the refusal, and nothing changes.
    void runRecommend(RecommendKind kind);

    ResultCommands& m_commands;
    const HistoryDocument* m_history;
    // Shown while the text has bad lines; the page's command then says so.
    BadDataNotice* m_badData = nullptr;
    CodeSet m_result;
    QWidget* m_box = nullptr;
    QLabel* m_tip = nullptr;
    QPlainTextEdit* m_memo = nullptr;
};

} // namespace velmora
