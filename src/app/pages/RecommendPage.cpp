#include "app/pages/RecommendPage.h"

#include "app/HistoryDocument.h"
#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/pages/BadDataNotice.h"
#include "app/platform/Platform.h"
#include "core/code/CodeSetText.h"
#include "core/smart/Recommend.h"
#include "widgets/GroupBox.h"

#include <QAction>
#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include <array>
#include <optional>
#include <utility>

namespace velmora {

namespace {

// Qt counts weekdays from Monday = 1 to Sunday = 7; the recommendation from Sunday = 1.
CalendarDate calendarDateOf(const QDate& date)
{
    return { date.year(), date.month(), date.day(), date.dayOfWeek() % 7 + 1 };
}

} // namespace

RecommendPage::RecommendPage(
    Platform& platform, ResultCommands& commands, const HistoryDocument& history, QWidget* parent)
    : Page(platform, parent)
    , m_commands(commands)
    , m_history(&history)
{
    setObjectName(QStringLiteral("recommendPage"));
    QVBoxLayout* layout = makeWorkPageLayout();
    m_badData = new BadDataNotice(history, this);
    layout->addWidget(m_badData);
    // Alt+1, Alt+2, Alt+3 for the daily, weekly and monthly recommendation (Ctrl+1 and
    // Ctrl+2 choose the game everywhere).
    const std::array<std::pair<QString, RecommendKind>, 3> kinds
        = { { { QStringLiteral("每日推荐"), RecommendKind::Daily },
            { QStringLiteral("每周推荐"), RecommendKind::Weekly },
            { QStringLiteral("每月推荐"), RecommendKind::Monthly } } };
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const RecommendKind kind = kinds[i].second;
        addToolBarCommand(kinds[i].first, [this, kind] {
            runRecommend(kind);
        })->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + static_cast<int>(i))));
    }
    toolBar()->addSeparator();
    addResultCommands([this] { m_commands.exportResult(m_result, kRecommendLeadingText); },
        [this] { m_commands.checkPrize(m_memo); }, [this] { m_commands.printMemo(m_memo); },
        [this] { m_commands.checkLatestDraw(m_memo); });

    m_box = new GroupBox(QStringLiteral("智能推荐号码："), this);
    m_box->setObjectName(QStringLiteral("resultBox"));
    // The memo fills the box below the tip whenever the box changes size.
    m_box->installEventFilter(this);
    m_tip = makeCountLabel(m_box, QStringLiteral("tip"));
    m_memo = makeCodeMemo(m_box, QStringLiteral("resultMemo"));
    // The box as designed round the memo: its margin on both sides, the tip above.
    addScrolledContent(layout, m_box, QSize(2 * m_memo->x() + m_memo->width(), m_memo->height() + 56));
}

void RecommendPage::runRecommend(RecommendKind kind)
{
    if (m_badData->active()) {
        platform().showWarning(this, QString::fromUtf8(BadDataNotice::kText));
        return;
    }
    const std::optional<CodeSet> codes
        = recommend(m_history->game(), kind, m_history->records(), calendarDateOf(platform().now().date()));
    if (!codes) {
        platform().showWarning(this, QString::fromUtf8(kRecommendRefusal));
        return;
    }
    m_result = *codes;
    m_memo->setPlainText(memoTextOfLines(codeSetToLines(m_result)));
    const QString text = toQString(recommendTipText(kind, m_result));
    m_tip->setText(text);
    emit statusTextChanged(text);
}

bool RecommendPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::Resize) {
        const int left = m_memo->x();
        m_memo->setGeometry(left, 48, m_box->width() - 2 * left, m_box->height() - 56);
    }
    return Page::eventFilter(watched, event);
}

void RecommendPage::setHistory(const HistoryDocument& history)
{
    // A recommendation of another game's history is not this game's.
    if (&history.game() != &m_history->game()) {
        m_result = CodeSet {};
        m_memo->clear();
        m_tip->clear();
    }
    m_history = &history;
    m_badData->setHistory(history);
}

} // namespace velmora
