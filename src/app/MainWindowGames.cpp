// The main window's two games: which one is in front, switching between them, and
// where each one's history lives.
#include "app/MainWindow.h"

#include "app/HistoryDocument.h"
#include "app/Theme.h"
#include "app/UiSupport.h"
#include "app/dialogs/HistoryCheckWindow.h"
#include "app/pages/ChartPage.h"
#include "app/pages/DataPage.h"
#include "app/pages/FilterPage.h"
#include "app/pages/RecommendPage.h"
#include "app/pages/SmartShrinkPage.h"
#include "app/pages/TicketsPage.h"
#include "app/platform/Platform.h"
#include "core/draw/AppPaths.h"
#include "core/game/Game.h"
#include "widgets/PageControl.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace velmora {

namespace {

QString nameOf(const Game& game) { return toQString(std::string(game.name)); }

} // namespace

const Game& MainWindow::game() const { return m_history->game(); }

QString MainWindow::dataFileOf(const Game& game) const
{
    if (m_dataFileOption.isEmpty())
        return toQString(dataFilePath(game));
    if (&game == &game3d())
        return m_dataFileOption;
    return QFileInfo(m_dataFileOption).dir().filePath(toQString(std::string(game.dataFileName)));
}

void MainWindow::createGameMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("彩种(&L)"));
    menu->setObjectName(QStringLiteral("gameMenu"));
    auto* group = new QActionGroup(this);
    const auto games = allGames();
    for (std::size_t i = 0; i < games.size(); ++i) {
        const Game& game = *games[i];
        QAction* action = makeAction(QStringLiteral("showGame_") + toQString(std::string(game.key)),
            nameOf(game), QStringLiteral("|切换到%1：开奖数据、缩水、图表和投注都用%1的").arg(nameOf(game)),
            [this, &game] { switchGame(game); });
        action->setCheckable(true);
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + static_cast<int>(i))));
        group->addAction(action);
        menu->addAction(action);
        m_gameActions.at(i) = action;
    }
}

void MainWindow::createHistories()
{
    const auto games = allGames();
    const Game* remembered = gameOfKey(
        toStdString(m_platform.setting(QString::fromLatin1(kGameSettingKey), QString()).toString()));
    for (std::size_t i = 0; i < games.size(); ++i) {
        HistoryDocument* history = new HistoryDocument(*games[i], dataFileOf(*games[i]), this);
        m_histories[i] = history;
        // Only the game in front is shown; another's history changes only while in front.
        connect(history, &HistoryDocument::changed, this, [this, history] {
            if (history == m_history)
                showNewHistory();
        });
        if (games[i] == remembered)
            m_history = history;
    }
    if (!m_history)
        m_history = m_histories[0];
}

void MainWindow::createGameSelector()
{
    // At the right end of the status bar, always in sight: the main tool bar's nine
    // commands take all of a 640-pixel window already.
    m_gameSelector = new QComboBox(statusBar());
    m_gameSelector->setObjectName(QStringLiteral("gameSelector"));
    m_gameSelector->setToolTip(QStringLiteral("彩种"));
    m_gameSelector->setFocusPolicy(Qt::TabFocus);
    for (const Game* game : allGames())
        m_gameSelector->addItem(nameOf(*game));
    // No taller than the bar's panels, so that the pages keep their height.
    m_gameSelector->setFixedHeight(m_statusPanels[0]->sizeHint().height());
    statusBar()->addPermanentWidget(m_gameSelector);
    connect(m_gameSelector, &QComboBox::activated, this, [this](int index) {
        runCommand([this, index] { switchGame(*allGames().at(static_cast<std::size_t>(index))); });
    });
}

void MainWindow::loadGameHistory()
{
    const auto at = static_cast<std::size_t>(
        std::find(m_histories.begin(), m_histories.end(), m_history) - m_histories.begin());
    if (m_historyLoaded.at(at))
        return;
    m_historyLoaded.at(at) = true;
    if (const QString loaded = m_history->load(); !loaded.isEmpty())
        setStatusText(0, loaded);
}

void MainWindow::showGameName()
{
    const QString name = nameOf(game());
    setWindowTitle(QStringLiteral("Velmora — ") + name);
    const auto games = allGames();
    for (std::size_t i = 0; i < games.size(); ++i)
        if (games[i] == &game()) {
            m_gameSelector->setCurrentIndex(static_cast<int>(i));
            m_gameActions.at(i)->setChecked(true);
        }
}

void MainWindow::showBadLines()
{
    QPalette palette = m_badLinesLabel->palette();
    palette.setColor(QPalette::WindowText, errorTextColor(QApplication::palette()));
    m_badLinesLabel->setPalette(palette);
    m_badLinesLabel->setText(badLinesStatusText(m_history->badLines()));
    m_badLinesLabel->setVisible(!m_history->badLines().empty());
}

bool MainWindow::switchGame(const Game& game)
{
    HistoryDocument* next = nullptr;
    for (HistoryDocument* each : m_histories)
        if (&each->game() == &game)
            next = each;
    if (next == m_history || !settleUnsavedChanges()) {
        showGameName();
        return next == m_history;
    }
    m_history = next;
    m_dataPage->setDocument(*next);
    m_filterPage->setHistory(*next);
    m_smartShrinkPage->setHistory(*next);
    m_recommendPage->setHistory(*next);
    m_ticketsPage->setGame(game);
    for (std::size_t i = 0; i < m_charts.size(); ++i) {
        m_charts[i]->setHistory(*next);
        m_chartPages->setTabText(static_cast<int>(i), m_charts[i]->caption());
    }
    if (auto* trend = findChild<QAction*>(QStringLiteral("showTrendChart"))) {
        const QString name = &game == &game3d() ? QStringLiteral("3D") : toQString(std::string(game.name));
        trend->setText(name + QStringLiteral("走势图(&A)"));
    }
    // The history check reads one history: it is made again for this one.
    if (m_historyCheckWindow) {
        const bool shown = m_historyCheckWindow->isVisible();
        m_historyCheckWindow->hide();
        m_historyCheckWindow->deleteLater();
        m_historyCheckWindow = nullptr;
        if (shown)
            showHistoryCheck();
    }
    setStatusText(0, QString());
    loadGameHistory();
    m_platform.setSetting(QString::fromLatin1(kGameSettingKey), toQString(std::string(game.key)));
    showGameName();
    showBadLines();
    showNewHistory();
    return true;
}

} // namespace velmora
