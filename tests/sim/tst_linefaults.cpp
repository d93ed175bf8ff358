// Fault injection of the simulated line, and that a seed repeats a run.

#include "simtesthelpers.h"

#include <QTest>

using sim::SimOptions;

class TestLineFaults : public QObject
{
    Q_OBJECT
private slots:
    void silence();
    void silenceCutsAReplyInFlight();
    void corruptMarksOnlyTheNextBlock();
    void garbage_data();
    void garbage();
    void split();
    void flood_data();
    void flood();
    void delay_data();
    void delay();
    void drop_data();
    void drop();
    void sameSeedSameRun();
    void otherSeedOtherRun();
};

void TestLineFaults::silence()
{
    SimBench bench;
    QCOMPARE(bench.poll().size(), 32);
    bench.model.silence(3000, bench.now);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(bench.poll(), QByteArray());
        bench.waitBytes(950);
    }
    QCOMPARE(bench.ask(bytes({0xF0, 0xE0, 0xDA})), QByteArray());
    bench.waitBytes(1000);
    // Three seconds on, it answers again by itself.
    QCOMPARE(bench.poll().left(2), bytes({0xDF, 0xEF}));
    QCOMPARE(bench.model.counters().silenced, 3);
}

void TestLineFaults::silenceCutsAReplyInFlight()
{
    SimBench bench;
    bench.model.setSplit(true);
    bench.model.feed(bytes({0xFD, 0x48, 0x55}), bench.now);
    // The first piece has gone out when the line falls silent.
    QByteArray out = bench.waitBytes(3);
    QVERIFY(!out.isEmpty() && out.size() < 32);
    bench.model.silence(500, bench.now);
    out += bench.waitBytes(2000);
    QVERIFY(out.size() < 32);
}

void TestLineFaults::corruptMarksOnlyTheNextBlock()
{
    SimBench bench;
    bench.model.corruptNextBlock();
    const QByteArray bad = bench.poll();
    QCOMPARE(bad.size(), 32);
    QCOMPARE(u8At(bad, 31), 0xDB);
    QCOMPARE(bad.left(2), bytes({0xDF, 0xEF}));
    QCOMPARE(u8At(bench.poll(), 31), 0xDA);
    QCOMPARE(u8At(bench.ask(bytes({0xF0, 0xE0, 0xDA})), 31), 0xDA);
}

void TestLineFaults::garbage_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("one byte") << 1;
    QTest::newRow("40 bytes") << 40;
    QTest::newRow("a long burst") << 1000;
}

void TestLineFaults::garbage()
{
    QFETCH(int, count);
    SimBench bench;
    bench.model.sendGarbage(count, bench.now);
    // Sent at once, as one burst, and nothing else.
    const QList<sim::OutChunk> out = bench.wait(0);
    QCOMPARE(out.size(), 1);
    QCOMPARE(out[0].dueMs, bench.now);
    QCOMPARE(out[0].bytes.size(), count);
    QCOMPARE(bench.waitBytes(2000), QByteArray());
    QCOMPARE(bench.model.counters().garbageBytes, count);
    // The replies after it are whole.
    QCOMPARE(bench.poll().size(), 32);
}

// Status blocks unasked at the rate asked for, each whole; none while the
// line is held or silent, and no burst to make up for that afterwards.
void TestLineFaults::flood_data()
{
    QTest::addColumn<int>("perSecond");
    QTest::addColumn<int>("stepMs");
    QTest::newRow("300 a second, read every ms") << 300 << 1;
    QTest::newRow("5000 a second, read every 7 ms") << 5000 << 7;
    QTest::newRow("100000 a second, read every 3 ms") << 100000 << 3;
}

void TestLineFaults::flood()
{
    QFETCH(int, perSecond);
    QFETCH(int, stepMs);
    SimBench bench;
    bench.model.setFlood(perSecond, bench.now);
    QByteArray out;
    for (int t = 0; t < 1000; t += stepMs)
        out += bench.waitBytes(stepMs);
    QCOMPARE(out.size() % 32, 0);
    const int blocks = int(out.size() / 32);
    QVERIFY2(qAbs(blocks - perSecond) <= perSecond / 100 + 1, qPrintable(QString::number(blocks)));
    for (int i = 0; i < blocks; ++i) {
        QCOMPARE(u8At(out, i * 32), 0xDF);
        QCOMPARE(u8At(out, i * 32 + 1), 0xEF);
        QCOMPARE(u8At(out, i * 32 + 31), 0xDA);
    }
    QCOMPARE(bench.model.counters().floodBlocks, blocks);

    bench.model.setLineHeld(true, bench.now);
    QCOMPARE(bench.waitBytes(500), QByteArray());
    bench.model.setLineHeld(false, bench.now);
    QVERIFY(bench.waitBytes(stepMs).size() <= qMax(32, perSecond * stepMs / 1000 * 32 + 32));
    bench.model.silence(300, bench.now);
    QCOMPARE(bench.waitBytes(299), QByteArray());
    bench.model.setFlood(0, bench.now);
    QCOMPARE(bench.waitBytes(1000), QByteArray());
    QVERIFY(!bench.model.nextDueMs());
}

void TestLineFaults::split()
{
    SimOptions o;
    o.seed = 7;
    SimBench plain(o), split(o);
    split.model.setSplit(true);
    int multiPiece = 0;
    for (int i = 0; i < 20; ++i) {
        const QByteArray whole = plain.poll();
        plain.waitBytes(950);
        split.model.feed(bytes({0xFD, 0x48, 0x55}), split.now);
        const QList<sim::OutChunk> pieces = split.wait(50);
        split.waitBytes(950);
        QByteArray joined;
        for (const sim::OutChunk &c : pieces)
            joined += c.bytes;
        QCOMPARE(joined, whole);
        QVERIFY(pieces.size() >= 2 && pieces.size() <= 4);
        multiPiece += pieces.size() > 2;
        // Close together: far inside the 100 ms after which the tool drops
        // a partial block.
        for (int k = 1; k < pieces.size(); ++k)
            QVERIFY(pieces[k].dueMs > pieces[k - 1].dueMs);
        QVERIFY(pieces.last().dueMs - pieces.first().dueMs <= 12);
    }
    QVERIFY(multiPiece > 0);
}

void TestLineFaults::delay_data()
{
    QTest::addColumn<int>("delayMs");
    QTest::newRow("none") << 0;
    QTest::newRow("300 ms") << 300;
    QTest::newRow("1.5 s") << 1500;
}

void TestLineFaults::delay()
{
    QFETCH(int, delayMs);
    SimBench bench;
    bench.model.setDelayMs(delayMs);
    const qint64 asked = bench.now;
    bench.model.feed(bytes({0xF0, 0xE0, 0xDA}), asked);
    const QList<sim::OutChunk> out = bench.wait(delayMs + 50);
    QCOMPARE(out.size(), 1);
    QCOMPARE(out[0].dueMs, asked + SimOptions().replyLatencyMs + delayMs);
}

void TestLineFaults::drop_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("least");
    QTest::addColumn<int>("most");
    QTest::newRow("none") << 0.0 << 200 << 200;
    QTest::newRow("a fifth") << 0.2 << 130 << 190;
    QTest::newRow("all") << 1.0 << 0 << 0;
}

void TestLineFaults::drop()
{
    QFETCH(double, fraction);
    QFETCH(int, least);
    QFETCH(int, most);
    SimBench bench;
    bench.model.setDropFraction(fraction);
    int answered = 0;
    for (int i = 0; i < 200; ++i) {
        const QByteArray r = bench.poll();
        QVERIFY(r.isEmpty() || r.size() == 32);
        answered += !r.isEmpty();
        bench.waitBytes(200);
    }
    QVERIFY2(answered >= least && answered <= most, qPrintable(QString::number(answered)));
    QCOMPARE(bench.model.counters().dropped, 200 - answered);
}

namespace {
// A busy run: riding, every line fault, hall test. All output with times.
QList<sim::OutChunk> busyRun(quint64 seed)
{
    SimOptions o;
    o.seed = seed;
    o.faultEverySeconds = 20;
    SimBench bench(o);
    bench.model.vehicle().setDriveCycle(true);
    bench.model.setSplit(true);
    bench.model.setDropFraction(0.1);
    QList<sim::OutChunk> all;
    for (int i = 0; i < 90; ++i) {
        bench.model.feed(bytes({0xFD, 0x48, 0x55}), bench.now);
        if (i % 30 == 5)
            bench.model.sendGarbage(13, bench.now);
        if (i % 30 == 9)
            bench.model.feed(bytes({0xFC, 0xEC, 0xDA}), bench.now);
        all += bench.wait(1000);
    }
    return all;
}
} // namespace

void TestLineFaults::sameSeedSameRun()
{
    const QList<sim::OutChunk> a = busyRun(42), b = busyRun(42);
    QCOMPARE(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i) {
        QCOMPARE(a[i].dueMs, b[i].dueMs);
        QCOMPARE(a[i].bytes, b[i].bytes);
    }
}

void TestLineFaults::otherSeedOtherRun()
{
    QByteArray a, b;
    for (const sim::OutChunk &c : busyRun(1))
        a += c.bytes;
    for (const sim::OutChunk &c : busyRun(2))
        b += c.bytes;
    QVERIFY(a != b);
}

QTEST_GUILESS_MAIN(TestLineFaults)
#include "tst_linefaults.moc"
