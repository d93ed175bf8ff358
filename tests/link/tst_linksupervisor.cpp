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
    void quietTicksOnlyCount_data();
    void quietTicksOnlyCount();
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

void TestLinkSupervisor::quietTicksOnlyCount_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<bool>("answered"); // each poll brings a status block
    for (int rate : LinkSupervisor::kPollRates) {
        QTest::addRow("%d a second, answered", rate) << rate << true;
        QTest::addRow("%d a second, silent", rate) << rate << false;
    }
}

// The ticks the link may sleep through: ticked one by one they ask for
// nothing and change no state, and skipping them leaves the supervisor as
// ticking does; the tick after them is one that matters.
void TestLinkSupervisor::quietTicksOnlyCount()
{
    QFETCH(int, rate);
    QFETCH(bool, answered);
    Bench ticked, skipped;
    for (Bench *b : {&ticked, &skipped}) {
        QVERIFY(b->sup.setPollsPerSecond(rate));
        b->connect();
    }
    auto same = [&] {
        return ticked.sup.pollDivider() == skipped.sup.pollDivider()
               && ticked.sup.silenceTicks() == skipped.sup.silenceTicks()
               && ticked.sup.justConnected() == skipped.sup.justConnected()
               && ticked.sup.connectActions() == skipped.sup.connectActions()
               && ticked.state.connection.linkState == skipped.state.connection.linkState;
    };
    int sleeps = 0;
    for (int step = 0; step < 80 && ticked.state.connection.linkState == LinkStateCode::Online; ++step) {
        const int n = ticked.sup.quietTicksAhead();
        QCOMPARE(skipped.sup.quietTicksAhead(), n);
        const int polls = ticked.polls, idc = ticked.idcReads;
        for (int i = 0; i < n; ++i) {
            ticked.tick();
            QCOMPARE(ticked.state.connection.linkState, int(LinkStateCode::Online));
        }
        QCOMPARE(ticked.polls, polls);
        QCOMPARE(ticked.idcReads, idc);
        skipped.sup.skipQuietTicks(n);
        QVERIFY2(same(), qPrintable(QStringLiteral("after %1 quiet ticks at step %2").arg(n).arg(step)));
        sleeps += n > 0;
        // The tick that matters, on both alike.
        const int before = ticked.polls + ticked.idcReads;
        const bool wasConnecting = ticked.sup.justConnected();
        ticked.tick();
        skipped.tick();
        QVERIFY(ticked.polls + ticked.idcReads > before || wasConnecting
                || ticked.state.connection.linkState != LinkStateCode::Online);
        if (answered && ticked.polls + ticked.idcReads > before) {
            ticked.statusBlock();
            skipped.statusBlock();
        }
        QVERIFY(same());
    }
    QVERIFY(sleeps > 0 || rate == 10);
    QCOMPARE(ticked.state.connection.linkState, answered ? int(LinkStateCode::Online) : int(LinkStateCode::Offline));
}

QTEST_GUILESS_MAIN(TestLinkSupervisor)
#include "tst_linksupervisor.moc"
