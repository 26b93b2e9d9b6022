// 自动更新 goes by the clock: after 21:30 once a day per game, again an hour after a
// try that failed or found nothing new, at most three tries a day, never again on
// the day of a success; through the window it updates quietly against a local
// server, and a save that would need the user's word is not made.
#include "app/MainWindowFixture.h"
#include "app/TestHttpServer.h"

#include "app/AutoUpdate.h"
#include "app/UpdateSources.h"
#include "core/game/Game.h"

#include <QFile>

using velmora::AutoUpdate;
using velmora::UpdateOutcome;

namespace {

QDateTime at(int day, int hour, int minute) { return QDateTime(QDate(2026, 6, day), QTime(hour, minute)); }

} // namespace

class tst_AutoUpdate : public QObject {
    Q_OBJECT

private slots:
    void dueByTheClock();
    void turnedOffNeverRuns();
    void windowUpdatesQuietly();
    void saveNeedingAQuestionIsNotMade();
};

// One game's evenings, step by step: when it runs and what the status bar says.
void tst_AutoUpdate::dueByTheClock()
{
    FakePlatform platform;
    UpdateOutcome next = UpdateOutcome::Failed;
    int runs = 0;
    AutoUpdate update(
        platform, []() -> const velmora::Game& { return velmora::game3d(); },
        [&](QString& told) {
            ++runs;
            told = QStringLiteral("原因");
            return next;
        },
        nullptr);
    QString status;
    connect(&update, &AutoUpdate::statusText, this, [&status](const QString& text) { status = text; });
    struct Step {
        const char* name;
        QDateTime now;
        UpdateOutcome outcome;
        bool runs;
        QString status;
    };
    const Step steps[] = {
        { "before the draw", at(1, 21, 29), UpdateOutcome::Failed, false, {} },
        { "first try fails", at(1, 21, 30), UpdateOutcome::Failed, true,
            QStringLiteral("自动更新未成功：原因，22:30再试") },
        { "within the hour", at(1, 22, 29), UpdateOutcome::Failed, false, {} },
        { "second try finds nothing", at(1, 22, 30), UpdateOutcome::NothingNew, true,
            QStringLiteral("自动更新：原因，23:30再试") },
        { "third try fails", at(1, 23, 45), UpdateOutcome::Failed, true,
            QStringLiteral("自动更新未成功：原因，今天不再自动更新") },
        { "no fourth try", at(1, 23, 59), UpdateOutcome::NewDraws, false, {} },
        { "next morning", at(2, 9, 0), UpdateOutcome::NewDraws, false, {} },
        { "next evening", at(2, 21, 31), UpdateOutcome::NewDraws, true, QStringLiteral("自动更新：原因") },
        { "after a success", at(2, 23, 50), UpdateOutcome::NewDraws, false, {} },
        { "the evening after", at(3, 22, 0), UpdateOutcome::NewDraws, true,
            QStringLiteral("自动更新：原因") },
    };
    for (const Step& step : steps) {
        platform.fixedNow = step.now;
        next = step.outcome;
        status.clear();
        const int before = runs;
        update.check();
        QVERIFY2((runs > before) == step.runs, step.name);
        QVERIFY2(status == step.status, qPrintable(QString::fromUtf8(step.name) + QLatin1Char(' ') + status));
    }
    // The user's own update after 21:30 counts as the day's.
    platform.fixedNow = at(4, 21, 40);
    update.noteSuccess();
    platform.fixedNow = at(4, 22, 0);
    QVERIFY(!update.isDue());
}

void tst_AutoUpdate::turnedOffNeverRuns()
{
    FakePlatform platform;
    platform.fixedNow = at(1, 22, 0);
    int runs = 0;
    AutoUpdate update(
        platform, []() -> const velmora::Game& { return velmora::game3d(); },
        [&runs](QString&) {
            ++runs;
            return UpdateOutcome::NewDraws;
        },
        nullptr);
    QVERIFY(update.isDue());
    AutoUpdate::setEnabled(platform, false);
    update.check();
    QCOMPARE(runs, 0);
}

void tst_AutoUpdate::windowUpdatesQuietly()
{
    TestHttpServer http;
    QVERIFY(http.Start());
    http.Body = historyLines(12);
    MainWindowFixture f;
    velmora::setUpdateSources(f.platform, velmora::game3d(), { http.BaseUrl() + QStringLiteral("/3d.txt") });
    QVERIFY(writeFile(f.dataFile(), historyLines(10)));
    f.platform.fixedNow = at(1, 22, 0);
    f.startShown(2000);
    QTRY_COMPARE(f.window->statusText(0), QStringLiteral("自动更新：在线更新成功：新增2期，更正0期，共12期"));
    QCOMPARE(readFile(f.dataFile()), historyLines(12));
    QCOMPARE(int(f.history().size()), 12);
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_AutoUpdate::saveNeedingAQuestionIsNotMade()
{
    TestHttpServer http;
    QVERIFY(http.Start());
    http.Body = historyLines(12);
    MainWindowFixture f;
    velmora::setUpdateSources(f.platform, velmora::game3d(), { http.BaseUrl() + QStringLiteral("/3d.txt") });
    // A file past the input limit cannot be read: saving over it needs the user's word.
    {
        QFile big(f.dataFile());
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64 { 100 } << 20));
    }
    f.platform.fixedNow = at(1, 22, 0);
    f.startShown(2000);
    QTRY_VERIFY(f.window->statusText(0).startsWith(QStringLiteral("自动更新未成功：保存前需要确认")));
    QCOMPARE(f.platform.confirmations, QStringList());
    QCOMPARE(QFileInfo(f.dataFile()).size(), qint64 { 100 } << 20);
    QVERIFY(f.history().empty());
    QCOMPARE(f.document().text(), QString());
}

QTEST_MAIN(tst_AutoUpdate)
#include "tst_AutoUpdate.moc"
