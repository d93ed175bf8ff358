// The trends' history: what a run of blocks, link drops and faults leaves
// behind, and its reduction to pixel columns.
#include "monitor/trendhistory.h"

#include <QTest>

#include <random>

namespace {
StatusSample sampleWith(qint32 speed, quint16 currentErrors = 0)
{
    StatusSample s;
    s.counts[TrendValue::Speed] = speed;
    s.currentErrors = currentErrors;
    return s;
}

// Plays a script on a history: "s1000" a status block at 1000 ms (speed =
// its index), "s1000e4" one with current error word 4, "d1000" the link
// down, "u1000" the link up.
void play(TrendHistory &h, const QString &script)
{
    int n = 0;
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = step.mid(1).split(u'e');
        const qint64 t = parts[0].toLongLong();
        switch (step[0].toLatin1()) {
        case 's': h.addSample(sampleWith(n++, quint16(parts.value(1, QStringLiteral("0")).toUInt(nullptr, 16))), t); break;
        case 'd': h.linkDown(t); break;
        case 'u': h.linkUp(t); break;
        }
    }
}

QString segmentStarts(const TrendHistory &h)
{
    QStringList s;
    for (int i = 0; i < h.size(); ++i)
        if (h.at(i).segmentStart())
            s << QString::number(i);
    return s.join(u',');
}

QString events(const TrendHistory &h)
{
    static const char *const kinds[] = {"fault+", "fault-", "down", "up"};
    QStringList s;
    for (const TrendEvent &e : h.events())
        s << QStringLiteral("%1@%2%3").arg(QLatin1String(kinds[e.kind])).arg(e.timeMs)
                 .arg(e.bits ? QStringLiteral(":%1").arg(e.bits, 0, 16) : QString());
    return s.join(u' ');
}
} // namespace

class TestTrendHistory : public QObject
{
    Q_OBJECT
private slots:
    void dropsAndFaults_data();
    void dropsAndFaults();
    void noLineAcrossAGap();
    void keptForAnHourAtMost_data();
    void keptForAnHourAtMost();
    void decimationMatchesEverySample_data();
    void decimationMatchesEverySample();
    void appendMatchesAfresh_data();
    void appendMatchesAfresh();
    void compactSample();
};

void TestTrendHistory::dropsAndFaults_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("segments"); // indexes of the samples no line runs to
    QTest::addColumn<QString>("events");
    QTest::newRow("steady") << "s0 u0 s1000 s2000" << "0" << "up@0";
    QTest::newRow("drop and return")
        << "s0 u0 s1000 d3100 s9000 u9000 s10000" << "0,2" << "up@0 down@3100 up@9000";
    // A block that comes while offline is real data, after the gap.
    QTest::newRow("block while offline") << "s0 u0 d2100 s5000 s6000 u6000 s7000" << "0,1"
                                         << "up@0 down@2100 up@6000";
    QTest::newRow("down twice is one drop") << "u0 s0 d100 d200 s300" << "0,1" << "up@0 down@100";
    QTest::newRow("up before any block") << "u0 s500" << "0" << "up@0";
    QTest::newRow("tool held up") << "s0 s1000 s5000 s6000" << "0,2" << "";
    QTest::newRow("poll period is no gap") << "s0 s1000 s2000 s3000" << "0" << "";
    QTest::newRow("fault comes and goes")
        << "s0 s100e4 s200e4 s300 s400e402" << "0" << "fault+@100:4 fault-@300:4 fault+@400:402";
    QTest::newRow("fault present at the first block") << "s0e20 s100e20" << "0" << "fault+@0:20";
    QTest::newRow("one fault swaps for another")
        << "s0e4 s100e8" << "0" << "fault+@0:4 fault+@100:8 fault-@100:4";
    QTest::newRow("fault cleared during a drop")
        << "u0 s0e4 d100 s5000 u5000" << "0,1" << "up@0 fault+@0:4 down@100 fault-@5000:4 up@5000";
    QTest::newRow("clock set back") << "s5000 s4000 s6000" << "0" << "";
}

void TestTrendHistory::dropsAndFaults()
{
    QFETCH(QString, script);
    QFETCH(QString, segments);
    QFETCH(QString, events);
    TrendHistory h;
    int changes = 0;
    h.setChangedCallback([&changes] { ++changes; });
    play(h, script);
    QCOMPARE(segmentStarts(h), segments);
    QCOMPARE(::events(h), events);
    QVERIFY(changes > 0);
    for (int i = 1; i < h.size(); ++i)
        QVERIFY(h.at(i).timeMs >= h.at(i - 1).timeMs);
}

// A drop in the middle of the view: the columns on either side of it exist,
// none lies in the gap, and no line runs across it.
void TestTrendHistory::noLineAcrossAGap()
{
    TrendHistory h;
    play(h, "u0 s0 s1000 s2000 d4100 s9000 u9000 s10000 s11000");
    TraceColumns out;
    decimate(h, 0, 12000, 12, TrendHistory::kAllValues, out);
    const auto &speed = out.values[TrendValue::Speed];
    QList<int> columns;
    QList<bool> joined;
    for (const TraceColumn &c : speed) {
        columns << c.column;
        joined << c.joined;
    }
    QCOMPARE(columns, (QList<int>{0, 1, 2, 9, 10, 11}));
    QCOMPARE(joined, (QList<bool>{false, true, true, false, true, true}));
    QCOMPARE(speed[3].first, 3);
}

void TestTrendHistory::keptForAnHourAtMost_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<qint64>("spanMs");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<qint64>("stepMs");
    QTest::addColumn<int>("kept");
    QTest::newRow("an hour at 10 a second") << TrendHistory::kLiveCapacity << TrendHistory::kLiveSpanMs
                                            << 40000 << qint64(100) << 36001;
    QTest::newRow("an hour at 1 a second") << TrendHistory::kLiveCapacity << TrendHistory::kLiveSpanMs
                                           << 5000 << qint64(1000) << 3601;
    QTest::newRow("a flood fills the ring") << 1000 << TrendHistory::kLiveSpanMs << 2500 << qint64(1) << 1000;
    QTest::newRow("a file keeps every record") << 50000 << qint64(0) << 40000 << qint64(1000) << 40000;
}

void TestTrendHistory::keptForAnHourAtMost()
{
    QFETCH(int, capacity);
    QFETCH(qint64, spanMs);
    QFETCH(int, blocks);
    QFETCH(qint64, stepMs);
    QFETCH(int, kept);
    TrendHistory h(capacity, spanMs);
    for (int i = 0; i < blocks; ++i) {
        h.addSample(sampleWith(i, quint16(i & 1)), i * stepMs);
        if (i % 100 == 50)
            h.linkDown(i * stepMs), h.linkUp(i * stepMs);
    }
    QCOMPARE(h.size(), kept);
    // The newest are kept, in order.
    for (int i = 0; i < h.size(); ++i)
        QCOMPARE(h.at(i).counts(TrendValue::Speed), qint32(qint16(blocks - kept + i)));
    QVERIFY(h.events().front().timeMs >= h.at(0).timeMs);
    QVERIFY(h.memoryBytes() < 20u * 1024 * 1024);
    QCOMPARE(h.lowerBound(h.at(10).timeMs), 10);
    QCOMPARE(h.nearest(h.at(10).timeMs + stepMs / 3), 10);
    QCOMPARE(h.nearest(h.last().timeMs + 100000), h.size() - 1);
}

void TestTrendHistory::decimationMatchesEverySample_data()
{
    QTest::addColumn<qint64>("t0");
    QTest::addColumn<qint64>("t1");
    QTest::addColumn<int>("columns");
    QTest::newRow("whole, few columns") << qint64(0) << qint64(600000) << 7;
    QTest::newRow("whole, many columns") << qint64(0) << qint64(600000) << 1200;
    QTest::newRow("more columns than samples") << qint64(100000) << qint64(110000) << 1000;
    QTest::newRow("a middle stretch") << qint64(123456) << qint64(345678) << 333;
    QTest::newRow("past the end") << qint64(500000) << qint64(900000) << 640;
    QTest::newRow("before the start") << qint64(-5000) << qint64(1000) << 50;
}

// Against a plain look at every sample: each column's first, last, lowest
// and highest, and one column either side of the range.
void TestTrendHistory::decimationMatchesEverySample()
{
    QFETCH(qint64, t0);
    QFETCH(qint64, t1);
    QFETCH(int, columns);
    TrendHistory h;
    std::mt19937 random(42);
    qint64 t = 0;
    for (int i = 0; i < 6000; ++i) {
        t += 20 + random() % 180;
        StatusSample s;
        for (auto &c : s.counts)
            c = qint32(random() % 2000) - 1000;
        s.counts[TrendValue::BatteryVoltage] = qint32(random() % 65536);
        h.addSample(s, t);
        if (random() % 500 == 0)
            h.linkDown(t), h.linkUp(t);
    }
    TraceColumns out;
    decimate(h, t0, t1, columns, TrendHistory::kAllValues, out);
    for (int v : {int(TrendValue::BatteryVoltage), int(TrendValue::DcCurrent), int(TrendValue::Throttle)}) {
        std::vector<TraceColumn> expected;
        int lastColumn = 0;
        const int from = std::max(0, h.lowerBound(t0) - 1);
        const int to = std::min(h.size(), h.upperBound(t1) + 1);
        for (int i = from; i < to; ++i) {
            const TrendSample &s = h.at(i);
            const int c = int(std::floor(double(s.timeMs - t0) * columns / double(t1 - t0)));
            const qint32 x = s.counts(v);
            if (expected.empty() || c != lastColumn)
                expected.push_back({c, !expected.empty() && !s.segmentStart(), x, x, x, x});
            else {
                expected.back().last = x;
                expected.back().min = std::min(expected.back().min, x);
                expected.back().max = std::max(expected.back().max, x);
            }
            lastColumn = c;
        }
        const auto &got = out.values[std::size_t(v)];
        QCOMPARE(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            QCOMPARE(got[i].column, expected[i].column);
            QCOMPARE(got[i].joined, expected[i].joined);
            QCOMPARE(got[i].first, expected[i].first);
            QCOMPARE(got[i].last, expected[i].last);
            QCOMPARE(got[i].min, expected[i].min);
            QCOMPARE(got[i].max, expected[i].max);
        }
    }
    // Readings not asked for are left empty.
    decimate(h, t0, t1, columns, 1u << TrendValue::Speed, out);
    QVERIFY(out.values[TrendValue::DcCurrent].empty());
}

void TestTrendHistory::appendMatchesAfresh_data()
{
    QTest::addColumn<qint64>("t0");
    QTest::addColumn<qint64>("t1");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("batch"); // samples added between two updates
    QTest::newRow("one at a time, dense") << qint64(0) << qint64(60000) << 100 << 1;
    QTest::newRow("one at a time, sparse") << qint64(0) << qint64(60000) << 1000 << 1;
    QTest::newRow("in bursts") << qint64(0) << qint64(60000) << 333 << 7;
    QTest::newRow("starting later") << qint64(20000) << qint64(50000) << 300 << 3;
    QTest::newRow("running past the end") << qint64(0) << qint64(30000) << 300 << 5;
}

// Brought up to date block by block, the columns are those made afresh;
// the columns said to have changed are the only ones that differ.
void TestTrendHistory::appendMatchesAfresh()
{
    QFETCH(qint64, t0);
    QFETCH(qint64, t1);
    QFETCH(int, columns);
    QFETCH(int, batch);
    TrendHistory h(300); // small: old samples go meanwhile
    std::mt19937 random(7);
    TraceColumns running, fresh;
    decimate(h, t0, t1, columns, TrendHistory::kAllValues, running);
    qint64 t = 0;
    for (int round = 0; round < 120; ++round) {
        for (int i = 0; i < batch; ++i) {
            t += 50 + random() % 100;
            StatusSample s;
            s.counts[TrendValue::Speed] = qint32(random() % 3000);
            h.addSample(s, t);
            if (random() % 40 == 0)
                h.linkDown(t), h.linkUp(t);
        }
        const TraceColumns before = running;
        const int changed = decimateAppend(h, t0, t1, columns, TrendHistory::kAllValues, running);
        decimate(h, t0, t1, columns, TrendHistory::kAllValues, fresh);
        const auto &got = running.values[TrendValue::Speed];
        const auto &want = fresh.values[TrendValue::Speed];
        // Samples dropped from the front stay in the running columns.
        QVERIFY(got.size() >= want.size());
        const std::size_t skip = got.size() - want.size();
        // Where samples were dropped, the first column afresh has only part of them.
        for (std::size_t i = h.serial(0) > 0 ? 1 : 0; i < want.size(); ++i) {
            const TraceColumn &a = got[i + skip], &b = want[i];
            QVERIFY2(a.column == b.column && a.first == b.first && a.last == b.last && a.min == b.min
                         && a.max == b.max && (a.joined == b.joined || i == 0),
                     qPrintable(QStringLiteral("round %1 column %2").arg(round).arg(b.column)));
        }
        const auto &old = before.values[TrendValue::Speed];
        for (std::size_t i = 0; i < old.size(); ++i) {
            if (old[i].column < changed)
                QVERIFY(old[i].last == got[i].last && old[i].max == got[i].max && old[i].min == got[i].min);
        }
    }
}

// Every reading survives its 16 bits at both ends of its range.
void TestTrendHistory::compactSample()
{
    QCOMPARE(sizeof(TrendSample), std::size_t(40));
    Block b{};
    b[0] = 0xDF;
    b[1] = 0xEF;
    for (int lo : {2, 15, 10, 19})
        b[lo] = b[lo + 1] = 0xFF;
    for (int lo : {4, 6, 13, 21, 23, 25})
        b[lo] = 0xFF, b[lo + 1] = 0xFF; // -32767
    b[8] = 0;
    b[12] = 255;
    for (int i : {9, 17, 18, 28, 29, 30})
        b[i] = quint8(i);
    const StatusSample s = sampleFromBlock(b);
    QCOMPARE(TrendSample::from(s, 0).status(), s);
    QCOMPARE(s.counts[TrendValue::BatteryVoltage], 65535);
    QCOMPARE(s.counts[TrendValue::DcCurrent], -32767);
    QCOMPARE(s.counts[TrendValue::PowerStageTemp], -10);
    QCOMPARE(s.counts[TrendValue::MotorTemp], 510);
}

QTEST_GUILESS_MAIN(TestTrendHistory)
#include "tst_trendhistory.moc"
