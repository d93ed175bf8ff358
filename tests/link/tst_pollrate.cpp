// The poll rate on the wire: a controller that answers every poll, the link
// timer stepped 100 ms at a time, the polls counted as the port saw them.
#include "linkbench.h"

#include <QTest>

namespace {
int polls(const LinkBench &b)
{
    return int(b.line.writes.count(requestFrames().statusPollRequest));
}
} // namespace

class TestPollRate : public QObject
{
    Q_OBJECT
private slots:
    void pollsPerSecond_data();
    void pollsPerSecond();
    void unknownRateRefused();
};

void TestPollRate::pollsPerSecond_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("onlinePolls"); // in 10 s of an answering controller
    QTest::newRow("1 a second") << 1 << 10;
    QTest::newRow("2 a second") << 2 << 20;
    QTest::newRow("5 a second") << 5 << 50;
    QTest::newRow("10 a second") << 10 << 100;
}

// Whatever the rate: every poll answered keeps the link online, the Idc
// read goes out once per connection, and silence means offline on the 21st
// tick, about 2.1 s, as at one poll a second.
void TestPollRate::pollsPerSecond()
{
    QFETCH(int, rate);
    QFETCH(int, onlinePolls);
    LinkBench b;
    QVERIFY(b.link.supervisor().setPollsPerSecond(rate));
    QCOMPARE(b.link.supervisor().pollsPerSecond(), rate);
    b.link.openPort();
    const QByteArray idcRead = requestFrames().idcCalibReadRequest;
    for (int tick = 0; tick < 100; ++tick) {
        const int before = polls(b);
        b.tick();
        if (polls(b) != before)
            b.receive(LinkBench::status(quint8(tick)));
    }
    QCOMPARE(polls(b), onlinePolls);
    QCOMPARE(b.state.connection.linkState, LinkStateCode::Online);
    QCOMPARE(b.line.writes.count(idcRead), 1);
    QCOMPARE(b.statusBlocks.size(), onlinePolls);

    int silentTicks = 0;
    while (b.state.connection.linkState == LinkStateCode::Online && silentTicks < 100) {
        b.tick();
        ++silentTicks;
    }
    // The last block came within the tick before the silence began.
    QCOMPARE(b.state.connection.linkState, LinkStateCode::Offline);
    QVERIFY2(silentTicks >= 20 && silentTicks <= 21, qPrintable(QString::number(silentTicks)));

    // Back online: the Idc read once more, the same rate.
    const int before = polls(b);
    for (int tick = 0; tick < 30; ++tick) {
        const int p = polls(b);
        b.tick();
        if (polls(b) != p)
            b.receive(LinkBench::status(0));
    }
    QCOMPARE(b.state.connection.linkState, LinkStateCode::Online);
    QCOMPARE(b.line.writes.count(idcRead), 2);
    QCOMPARE(polls(b) - before, 3 * rate);
}

void TestPollRate::unknownRateRefused()
{
    LinkBench b;
    for (int rate : {0, 3, 4, 20, -1})
        QVERIFY(!b.link.supervisor().setPollsPerSecond(rate));
    QCOMPARE(b.link.supervisor().pollsPerSecond(), 1);
    // Kept across a reset: the rate is the user's choice for the session.
    QVERIFY(b.link.supervisor().setPollsPerSecond(5));
    b.link.supervisor().reset();
    QCOMPARE(b.link.supervisor().pollsPerSecond(), 5);
}

QTEST_GUILESS_MAIN(TestPollRate)
#include "tst_pollrate.moc"
