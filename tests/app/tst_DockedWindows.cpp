// The result and history-check windows docked in a maximised 1280 x 900 main window:
// each a tab of the right area with its whole height, so that the history check
// shows ten rows of each of its tables.
#include "app/MainWindowFixture.h"
#include "app/OffscreenScreen.h"

#include "app/dialogs/HistoryCheckWindow.h"
#include "app/dialogs/ResultWindow.h"
#include "support/TestFiles.h"

#include <QHeaderView>
#include <QTableView>

using velmora::HistoryCheckWindow;
using velmora::ResultWindow;
using velmora::test::find;

class tst_DockedWindows : public QObject {
    Q_OBJECT

private slots:
    void historyCheckShowsTenRowsOfEachTable();
};

void tst_DockedWindows::historyCheckShowsTenRowsOfEachTable()
{
    MainWindowFixture f;
    QVERIFY(velmora::test::writeFile(f.dataFile(), velmora::test::realHistoryBytes()));
    velmora::MainWindow& form = f.startShown();
    form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    f.trigger("showFilterPage");
    QApplication::processEvents();
    QTest::keyClick(&form, Qt::Key_F8);
    auto* result = find<ResultWindow>(&form);
    QVERIFY(result->isVisible() && !result->isFloating());
    f.trigger("showHistoryCheck");
    auto* check = find<HistoryCheckWindow>(&form);
    QVERIFY(check->isVisible() && !check->isFloating());
    QVERIFY(form.tabifiedDockWidgets(check).contains(result));
    QApplication::processEvents();
    for (const char* name : { "drawTable", "unitTable" }) {
        auto* view = find<QTableView>(check, QString::fromLatin1(name));
        QVERIFY2(view->viewport()->height() >= 10 * view->verticalHeader()->defaultSectionSize(),
            qPrintable(
                QStringLiteral("%1 %2").arg(QString::fromLatin1(name)).arg(view->viewport()->height())));
    }
}

VELMORA_TEST_MAIN_ON_SCREEN(tst_DockedWindows, 1280, 900)
#include "tst_DockedWindows.moc"
