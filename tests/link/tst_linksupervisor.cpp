#include "link/linksupervisor.h"
#include "core/appstate.h"

#include <QTest>

namespace {
struct Bench
{
    AppState state;
    LinkSupervisor sup{state.connection};
    int polls = 0;
    int idcReads = 0;
    int discards = 0;

    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            const auto a = sup.tick();
            polls += a.sendPoll;
            idcReads += a.sendIdcCalibRead;
            discards += a.discardInput;
        }
    }
    // A status block with a valid end marker, as the receive handler reports it.
    void statusBlock()
    {
        sup.goodBlock();
        sup.statusBlock();
        sup.activity();
    }
    // Ticks until the next poll has gone out.
    void untilPoll()
    {
        const int before = polls;
        while (polls == before)
            tick();
    }
    void connect()
    {
        untilPoll();
        statusBlock();
    }
};
} // namespace

class TestLinkSupervisor : public QObject
{
    Q_OBJECT
private slots:
    void pollOnEveryTenthTick();
    void offlineConnectingOnline();
    void connectingShowsOnlyWhileSilenceIsShort();
    void statusWhileOfflineDoesNotConnect();
    void offlineOnThe21stTick_data();
    void offlineOnThe21stTick();
    void idcReadOncePerConnection();
    void discardAfterBadEndMarker();
    void forcedOfflineReconnects();
};

void TestLinkSupervisor::pollOnEveryTenthTick()
{
    Bench b;
    QList<int> pollTicks;
    for (int t = 1; t <= 35; ++t) {
        if (b.sup.tick().sendPoll)
            pollTicks << t;
    }
    QCOMPARE(pollTicks, (QList<int>{10, 20, 30}));
}

void TestLinkSupervisor::offlineConnectingOnline()
{
    Bench b;
    QCOMPARE(b.state.connection.linkState, 3);
    b.tick(9);
    QCOMPARE(b.state.connection.linkState, 3);
    b.tick();
    QCOMPARE(b.state.connection.linkState, 1);
    b.statusBlock();
    QCOMPARE(b.state.connection.linkState, 7);
    QVERIFY(b.sup.justConnected());
}

void TestLinkSupervisor::connectingShowsOnlyWhileSilenceIsShort()
{
    Bench b;
    QList<int> states;
    for (int t = 1; t <= 31; ++t) {
        b.tick();
        states << b.state.connection.linkState;
    }
    // Connecting from the first poll (tick 10) until the 21st tick; after that
    // every poll's 3 -> 1 is undone by the silence check of the same tick.
    for (int t = 1; t <= 31; ++t) {
        const int expected = (t >= 10 && t <= 20) ? 1 : 3;
        QVERIFY2(states[t - 1] == expected, qPrintable(QStringLiteral("tick %1").arg(t)));
    }
}

void TestLinkSupervisor::statusWhileOfflineDoesNotConnect()
{
    Bench b;
    b.tick(25); // offline again after the first silent poll period
    QCOMPARE(b.state.connection.linkState, 3);
    b.statusBlock();
    QCOMPARE(b.state.connection.linkState, 3);
    QCOMPARE(b.sup.silenceTicks(), 0);
    // The reply to the next poll completes the connection.
    b.untilPoll();
    QCOMPARE(b.state.connection.linkState, 1);
    b.statusBlock();
    QCOMPARE(b.state.connection.linkState, 7);
}

void TestLinkSupervisor::offlineOnThe21stTick_data()
{
    QTest::addColumn<bool>("byStatus");
    QTest::newRow("last block a status block") << true;
    QTest::newRow("last block an unknown pair") << false;
}

void TestLinkSupervisor::offlineOnThe21stTick()
{
    QFETCH(bool, byStatus);
    Bench b;
    b.connect();
    if (byStatus) {
        b.statusBlock();
    } else {
        b.sup.goodBlock();
        b.sup.activity();
    }
    for (int t = 1; t <= 20; ++t) {
        b.tick();
        QVERIFY2(b.state.connection.linkState == 7, qPrintable(QStringLiteral("tick %1").arg(t)));
    }
    b.tick();
    QCOMPARE(b.state.connection.linkState, 3);
}

void TestLinkSupervisor::idcReadOncePerConnection()
{
    Bench b;
    b.connect();
    QCOMPARE(b.idcReads, 0);
    b.tick();
    QCOMPARE(b.idcReads, 1); // on the first tick after the connection
    for (int i = 0; i < 5; ++i) { // keeps answering: no second read
        b.untilPoll();
        b.statusBlock();
    }
    QCOMPARE(b.idcReads, 1);

    b.tick(25); // silence: offline
    QCOMPARE(b.state.connection.linkState, 3);
    // The first reply after a long silence only resets the silence; the reply
    // to the next poll completes the connection.
    b.connect();
    QCOMPARE(b.state.connection.linkState, 3);
    b.connect();
    QCOMPARE(b.state.connection.linkState, 7);
    b.tick();
    QCOMPARE(b.idcReads, 2);
}

void TestLinkSupervisor::discardAfterBadEndMarker()
{
    Bench b;
    b.connect();
    b.sup.badBlock();
    QVERIFY(b.state.connection.lastFrameBad);
    const int silenceBefore = b.sup.silenceTicks();
    b.tick();
    QCOMPARE(b.sup.silenceTicks(), silenceBefore + 1); // a bad block is no activity
    b.untilPoll();
    QCOMPARE(b.discards, 1);
    b.untilPoll();
    QCOMPARE(b.discards, 2); // until a good block arrives
    b.statusBlock();
    QVERIFY(!b.state.connection.lastFrameBad);
    b.untilPoll();
    QCOMPARE(b.discards, 2);
}

void TestLinkSupervisor::forcedOfflineReconnects()
{
    Bench b;
    b.connect();
    b.tick();
    b.sup.forceOffline();
    QCOMPARE(b.state.connection.linkState, 3);
    b.tick();
    QCOMPARE(b.state.connection.linkState, 3);
    b.connect();
    QCOMPARE(b.state.connection.linkState, 3);
    b.connect();
    QCOMPARE(b.state.connection.linkState, 7);
    b.tick();
    QCOMPARE(b.idcReads, 2);
}

QTEST_GUILESS_MAIN(TestLinkSupervisor)
#include "tst_linksupervisor.moc"
