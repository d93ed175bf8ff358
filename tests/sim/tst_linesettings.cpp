// The line under the simulated controller: bytes paced at its settings, and
// a controller that understands only its own settings. Hand-driven clock.

#include "simtesthelpers.h"

#include <QTest>

using sim::LineSettings;
using sim::SimOptions;

namespace {
const QByteArray kPoll = bytes({0xFD, 0x48, 0x55});
} // namespace

class TestLineSettings : public QObject
{
    Q_OBJECT
private slots:
    void pacing_data();
    void pacing();
    void pacedFloodKeepsToTheLine();
    void ownSettings_data();
    void ownSettings();
};

// When the first and the last byte of the replies are out, counted from the
// moment the tool wrote the request: its bytes cross at the line's speed,
// then the reply latency (3 ms), then the reply's bytes.
void TestLineSettings::pacing_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("pace");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("firstMs");
    QTest::addColumn<int>("lastMs");
    QTest::addColumn<int>("size");

    const QByteArray basicWrite = block({0xF0, 0xE1, 0x10});
    auto row = [](const char *name, const char *line, bool pace, const QByteArray &request, int firstMs,
                  int lastMs, int size) {
        QTest::newRow(name) << QString::fromLatin1(line) << pace << request << firstMs << lastMs << size;
    };
    row("not paced: all at once", "9600,n,8,1", false, kPoll, 3, 3, 32);
    // 3 bytes of 10 bits: 3.125 ms; 32 bytes: 33.33 ms.
    row("9600,n,8,1 poll", "9600,n,8,1", true, kPoll, 8, 40, 32);
    // 11 bits a byte: 1.72 ms and 18.33 ms.
    row("19200,e,8,1 Basic read", "19200,e,8,1", true, bytes({0xF0, 0xE0, 0xDA}), 6, 24, 32);
    row("115200,n,8,2 poll", "115200,n,8,2", true, kPoll, 4, 7, 32);
    // 10.5 bits a byte: 26.25 ms and 280 ms.
    row("1200,o,7,1.5 poll", "1200,o,7,1.5", true, kPoll, 38, 310, 32);
    // A write counts as arrived when its 32nd byte is in.
    row("9600,n,8,1 Basic write", "9600,n,8,1", true, basicWrite, 38, 70, 32);
    // Written at once, the two queue on the way in and on the way back.
    row("9600,n,8,1 two requests at once", "9600,n,8,1", true, kPoll + bytes({0xF0, 0xE0, 0xDA}), 8, 73, 64);
}

void TestLineSettings::pacing()
{
    QFETCH(QString, line);
    QFETCH(bool, pace);
    QFETCH(QByteArray, request);
    QFETCH(int, firstMs);
    QFETCH(int, lastMs);
    QFETCH(int, size);

    SimOptions o;
    o.pace = pace;
    SimBench bench(o);
    bench.model.setToolLine(*LineSettings::parse(line));
    const qint64 t0 = bench.now;
    bench.model.feed(request, t0);
    QByteArray got;
    qint64 first = -1, last = -1;
    for (int ms = 0; ms < 400; ++ms) {
        for (const sim::OutChunk &c : bench.wait(1)) {
            QCOMPARE(c.dueMs, bench.now); // handed out when due, not before
            if (first < 0)
                first = c.dueMs - t0;
            last = c.dueMs - t0;
            got += c.bytes;
        }
    }
    QCOMPARE(first, qint64(firstMs));
    QCOMPARE(last, qint64(lastMs));
    QCOMPARE(got.size(), size);
    for (qsizetype at = 0; at < got.size(); at += 32)
        QCOMPARE(u8At(got, int(at) + 31), 0xDA);
}

// A flood asks for more than a 9600-baud line carries: it gets the line's
// worth (960 characters a second), in whole blocks, and no more.
void TestLineSettings::pacedFloodKeepsToTheLine()
{
    SimOptions o;
    o.pace = true;
    SimBench bench(o);
    bench.model.setFlood(1000, bench.now);
    QByteArray out;
    for (int ms = 0; ms < 1000; ++ms)
        out += bench.waitBytes(1);
    QVERIFY2(out.size() <= 960 && out.size() >= 28 * 32, qPrintable(QString::number(out.size())));
    for (qsizetype at = 0; at + 32 <= out.size(); at += 32) {
        QCOMPARE(out.mid(at, 2), bytes({0xDF, 0xEF}));
        QCOMPARE(u8At(out, int(at) + 31), 0xDA);
    }
}

// Requests at settings the controller does not use are not understood, and
// what comes back is a few bytes of noise that no block could be cut from.
void TestLineSettings::ownSettings_data()
{
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("tool");
    QTest::addColumn<bool>("understood");

    auto row = [](const char *name, const char *own, const char *tool, bool understood) {
        QTest::newRow(name) << QString::fromLatin1(own) << QString::fromLatin1(tool) << understood;
    };
    row("no settings of its own", "any", "115200,o,7,2", true);
    row("rate matches", "19200", "19200,n,8,1", true);
    row("rate differs", "19200", "9600,n,8,1", false);
    row("parity matches", "9600,e", "9600,e,8,1", true);
    row("parity differs", "9600,e", "9600,n,8,1", false);
    row("data bits differ", "*,*,7", "9600,n,8,1", false);
    row("stop bits differ", "9600,n,8,2", "9600,n,8,1", false);
}

void TestLineSettings::ownSettings()
{
    QFETCH(QString, own);
    QFETCH(QString, tool);
    QFETCH(bool, understood);

    SimBench bench;
    const QByteArray basicBefore = bench.model.storedBlock(0xF0);
    bench.model.setOwnLine(*LineSettings::parse(own));
    bench.model.setToolLine(*LineSettings::parse(tool));
    const int requests = 50;
    QByteArray out;
    for (int i = 0; i < requests; ++i) {
        const QByteArray reply = bench.poll();
        if (understood) {
            QCOMPARE(reply.size(), 32);
            QCOMPARE(reply.left(2), bytes({0xDF, 0xEF}));
        } else {
            QVERIFY2(reply.size() >= 1 && reply.size() <= 5, qPrintable(QString::number(reply.size())));
        }
        out += reply;
    }
    bench.ask(block({0xF0, 0xE1, 0x77}));
    QCOMPARE(bench.model.storedBlock(0xF0) != basicBefore, understood);
    QCOMPARE(bench.model.counters().mismatched, understood ? 0 : requests + 1);
    QCOMPARE(bench.model.requestCount(QStringLiteral("FD 48")), understood ? requests : 0);
    if (!understood)
        QVERIFY(!out.contains(char(0xDA)));

    // Set as the controller wants, the same line is understood again.
    bench.model.setToolLine(bench.model.ownLine().filledFrom(*LineSettings::parse(tool)));
    QCOMPARE(bench.poll().left(2), bytes({0xDF, 0xEF}));
}

QTEST_GUILESS_MAIN(TestLineSettings)
#include "tst_linesettings.moc"
