// The timed recording: its header and lines, read back whole, and the files
// the trend window refuses to open.
#include "monitor/trendrecording.h"
#include "core/language.h"
#include "core/localclock.h"

#include "statussequence.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

namespace {
const QDateTime kStart(QDate(2026, 12, 8), QTime(9, 0, 0), Qt::OffsetFromUTC, 3600);

// 48.25 V, -12.5 A, 1500 rpm, power stage 45, motor 130, Iq ref 20, Iq
// actual -12, Id ref -3, Id actual 4, throttle 1.2345 V.
Block exampleBlock()
{
    Block b{};
    const quint8 head[] = {0xDF, 0xEF, 0xD9, 0x12, 0xE2, 0x84, 0xDC, 0x05, 55, 0x15, 0x02, 0x04, 65,
                           20, 0, 0x39, 0x30, 0xA5, 3, 0x04, 0x00, 12, 0x80, 3, 0x80, 4, 0, 0, 2, 5, 1};
    std::copy(std::begin(head), std::end(head), b.begin());
    b[31] = kEndMarker;
    return b;
}

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A recording of the recorded run with a link drop in the middle.
QByteArray sequenceRecording(const QString &path, QList<StatusSample> *samples = nullptr)
{
    TimedRecording r;
    if (!r.start(path).ok)
        return {};
    const QList<SequenceStep> steps = recordedStatusSequence();
    for (int i = 0; i < steps.size(); ++i) {
        const QDateTime t = kStart.addMSecs(i * 100);
        if (i == 100)
            r.linkChanged(true, t);
        if (i >= 100 && i < 130)
            continue; // nothing while the link is down
        if (i == 130)
            r.linkChanged(false, t);
        const StatusSample s = sampleFromBlock(steps[i].block);
        if (samples)
            *samples << s;
        r.append(s, t);
    }
    r.stop();
    return read(path);
}
} // namespace

class TestTrendRecording : public QObject
{
    Q_OBJECT
private slots:
    void headerAndLine();
    void readBack();
    void savedRangeReadsBack();
    void refused_data();
    void refused();
    void cutShortByACrash();
    void textLog();
    void newNameEachTime();
    void localClockTimes_data();
    void localClockTimes();
};

void TestTrendRecording::headerAndLine()
{
    QCOMPARE(recordingHeader(),
             QByteArray("# Kestrane recording,schema 1\r\n"
                        "time,battery voltage [V],DC current [A],speed [rpm],motor temperature [degC],"
                        "power-stage temperature [degC],Iq reference [A],Iq actual [A],Id reference [A],"
                        "Id actual [A],throttle [V],gear,controller state,state bits,input levels,hall state,"
                        "mode,current error word,history error word,event\r\n"));
    QCOMPARE(recordingLine(sampleFromBlock(exampleBlock()), kStart.addMSecs(125)),
             QByteArray("2026-12-08T09:00:00.125+01:00,48.25,-12.5,1500,130,45,20,-12,-3,4,1.2345,"
                        "2,3,0x15,0xA5,5,1,0x0004,0x0402,\r\n"));
    QCOMPARE(recordingEventLine(kStart, TrendEvent::LinkDown),
             QByteArray("2026-12-08T09:00:00.000+01:00,,,,,,,,,,,,,,,,,,,link down\r\n"));
    QCOMPARE(recordingLine(StatusSample{}, kStart, 1u << TrendValue::Speed).split(',').mid(1, 10),
             (QList<QByteArray>{"", "", "0", "", "", "", "", "", "", ""}));
}

// Every block of the run back as it was recorded, the drop as a gap with
// its two markers, and the fault markers found again from the error words.
void TestTrendRecording::readBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.csv"));
    QList<StatusSample> samples;
    const QByteArray bytes = sequenceRecording(path, &samples);
    QCOMPARE(bytes.count('\n'), 2 + samples.size() + 2);
    const RecordingLoad load = loadRecording(path, 22);
    QVERIFY2(load.history, qPrintable(load.error));
    QVERIFY(load.notes.isEmpty());
    const TrendHistory &h = *load.history;
    QCOMPARE(h.size(), samples.size());
    QCOMPARE(h.presentValues(), TrendHistory::kAllValues);
    QVERIFY(!h.elapsedTimes());
    for (int i = 0; i < h.size(); ++i) {
        QCOMPARE(h.at(i).status(), samples[i]);
        QCOMPARE(h.at(i).segmentStart(), i == 0 || i == 100);
    }
    QCOMPARE(h.at(0).timeMs, kStart.toMSecsSinceEpoch());
    QCOMPARE(h.at(100).timeMs, kStart.addMSecs(13000).toMSecsSinceEpoch());
    int down = 0, up = 0, faults = 0;
    for (const TrendEvent &e : h.events()) {
        down += e.kind == TrendEvent::LinkDown;
        up += e.kind == TrendEvent::LinkUp;
        faults += e.kind == TrendEvent::FaultAppeared || e.kind == TrendEvent::FaultCleared;
    }
    QCOMPARE(down, 1);
    QCOMPARE(up, 1);
    QVERIFY(faults > 4);
}

void TestTrendRecording::savedRangeReadsBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.csv"));
    sequenceRecording(path);
    const RecordingLoad load = loadRecording(path, 22);
    QVERIFY(load.history);
    const QString saved = dir.filePath(QStringLiteral("saved.csv"));
    QVERIFY(saveRecording(saved, *load.history, 80, 140).ok);
    const RecordingLoad again = loadRecording(saved, 22);
    QVERIFY2(again.history, qPrintable(again.error));
    QCOMPARE(again.history->size(), 60);
    for (int i = 0; i < 60; ++i) {
        QCOMPARE(again.history->at(i).status(), load.history->at(80 + i).status());
        QCOMPARE(again.history->at(i).timeMs, load.history->at(80 + i).timeMs);
        QCOMPARE(again.history->at(i).segmentStart(), i == 0 || i == 20);
    }
    // The drop in the middle came along; nothing of the file's temporary stays.
    QVERIFY(read(saved).contains(",link down\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

void TestTrendRecording::refused_data()
{
    QTest::addColumn<QByteArray>("from"); // in a good recording, replace this ...
    QTest::addColumn<QByteArray>("to");   // ... by this
    QTest::addColumn<QString>("reason");
    QTest::newRow("newer schema") << QByteArray("schema 1") << QByteArray("schema 2")
                                  << "it is of schema 2, and this version of Kestrane reads schema 1";
    QTest::newRow("no schema") << QByteArray("schema 1") << QByteArray("schema x") << "line 1 does not name the schema";
    QTest::newRow("header") << QByteArray(",speed [rpm],") << QByteArray(",speed [km/h],")
                            << "line 2 is not the header";
    QTest::newRow("a field less") << QByteArray(",1500,") << QByteArray(",") << "line 3 has 19 fields instead of 20";
    QTest::newRow("time") << QByteArray("09:00:00.100") << QByteArray("09:0:00.100") << "line 3 has no valid time";
    QTest::newRow("time goes back") << QByteArray("09:00:00.200") << QByteArray("08:00:00.200")
                                    << "line 4 is earlier than the line before";
    QTest::newRow("finer than the block") << QByteArray(",48.25,") << QByteArray(",48.251,")
                                          << "holds \"48.251\" as battery voltage [V]";
    QTest::newRow("odd motor degrees") << QByteArray(",130,45,") << QByteArray(",131,45,")
                                       << "holds \"131\" as motor temperature";
    QTest::newRow("too cold a power stage") << QByteArray(",130,45,") << QByteArray(",130,-11,")
                                            << "holds \"-11\" as power-stage temperature";
    QTest::newRow("a reading left out") << QByteArray("00.200+01:00,48.25,") << QByteArray("00.200+01:00,,")
                                        << "line 4 leaves other readings empty";
    QTest::newRow("error word") << QByteArray(",0x0004,") << QByteArray(",4,") << "state or error word";
    QTest::newRow("unknown event") << QByteArray(",link down") << QByteArray(",link lost") << "unknown event";
    QTest::newRow("event with readings") << QByteArray(",,,,,,,,,,,,,,,,,,,link down")
                                         << QByteArray(",1,,,,,,,,,,,,,,,,,,link down") << "marks an event but holds";
    QTest::newRow("not a recording") << QByteArray("# Kestrane recording") << QByteArray("# Someone's table")
                                     << "is not a Kestrane recording";
}

void TestTrendRecording::refused()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.csv"));
    TimedRecording r;
    QVERIFY(r.start(path).ok);
    const StatusSample s = sampleFromBlock(exampleBlock());
    for (int i = 1; i <= 3; ++i)
        r.append(s, kStart.addMSecs(i * 100));
    r.linkChanged(true, kStart.addSecs(2));
    r.stop();
    QByteArray bytes = read(path);
    QVERIFY(bytes.contains(from));
    // The first occurrence after the header, or in it.
    const qsizetype at = bytes.indexOf(from, from.startsWith('#') || from.contains("schema") ? 0 : 40);
    bytes.replace(at, from.size(), to);
    write(path, bytes);
    const RecordingLoad load = loadRecording(path, 22);
    QVERIFY(!load.history);
    QVERIFY2(load.error.contains(reason), qPrintable(load.error));
    QVERIFY(load.error.contains(QDir::toNativeSeparators(path)));
    // Said in Chinese too.
    installChineseTranslator(true);
    const RecordingLoad chinese = loadRecording(path, 11);
    installChineseTranslator(false);
    QVERIFY(!chinese.history);
    QVERIFY(chinese.error != load.error);
}

void TestTrendRecording::cutShortByACrash()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.csv"));
    QByteArray bytes = sequenceRecording(path);
    bytes.chop(30);
    write(path, bytes);
    const RecordingLoad load = loadRecording(path, 22);
    QVERIFY2(load.history, qPrintable(load.error));
    QCOMPARE(load.notes.size(), 1);
    QVERIFY(load.notes[0].contains(QStringLiteral("cut short")));
    // The recorded run less the drop and the torn line.
    QCOMPARE(load.history->size(), recordedStatusSequence().size() - 30 - 1);
}

void TestTrendRecording::textLog()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Realtimedata.txt"));
    write(path, "1,48.25,130,1500,-12,45,1.234,0\r\n"
                "2,48.3,132,1490,-11,46,1.2,1026\r\n"
                "torn\r\n"
                "3,48.3,132,1490,-11,46,1.2,1026\r\n");
    const RecordingLoad load = loadRecording(path, 22);
    QVERIFY2(load.history, qPrintable(load.error));
    const TrendHistory &h = *load.history;
    QCOMPARE(h.size(), 3);
    QVERIFY(h.elapsedTimes());
    QVERIFY(!h.hasCurrentErrors());
    QCOMPARE(h.at(1).timeMs, 2000);
    QCOMPARE(h.at(0).counts(TrendValue::BatteryVoltage), 4825);
    QCOMPARE(h.at(0).counts(TrendValue::MotorTemp), 130);
    QCOMPARE(h.at(0).counts(TrendValue::Speed), 1500);
    QCOMPARE(h.at(0).counts(TrendValue::IqActual), -12);
    QCOMPARE(h.at(0).counts(TrendValue::PowerStageTemp), 45);
    QCOMPARE(h.at(0).counts(TrendValue::Throttle), 12340);
    QCOMPARE(h.at(1).historyErrors, quint16(1026));
    QVERIFY(!(h.presentValues() & (1u << TrendValue::DcCurrent)));
    QVERIFY(h.presentValues() & (1u << TrendValue::Throttle));
    QVERIFY(load.notes.join(u' ').contains(QStringLiteral("(the first is line 3)")));

    write(path, "a\r\nb\r\n");
    QVERIFY(loadRecording(path, 22).error.contains(QStringLiteral("holds no records")));
}

void TestTrendRecording::newNameEachTime()
{
    QTemporaryDir dir;
    const QString first = timedRecordingPath(dir.path(), kStart);
    QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("Realtimedata_20261208_090000.csv"));
    TimedRecording r;
    QVERIFY(r.start(first).ok);
    QCOMPARE(QFileInfo(timedRecordingPath(dir.path(), kStart)).fileName(),
             QStringLiteral("Realtimedata_20261208_090000_2.csv"));
    // Never over an existing file.
    TimedRecording again;
    QVERIFY(!again.start(first).ok);
    QCOMPARE(read(first), recordingHeader());
}

// The line times of a recording from the clock that looks the zone up once a
// second, in a zone with summer time (change at 2026-03-29 01:00 UTC).
void TestTrendRecording::localClockTimes_data()
{
    QTest::addColumn<int>("firstMs");
    QTest::addColumn<int>("secondMs");
    QTest::addColumn<QString>("time");
    QTest::newRow("same second, winter") << -3000 << -2500 << "2026-03-29T01:59:57.500+01:00";
    QTest::newRow("a second on, across the change") << -600 << 400 << "2026-03-29T03:00:00.400+02:00";
    QTest::newRow("clock set back across the change") << 5000 << -100 << "2026-03-29T01:59:59.900+01:00";
}

void TestTrendRecording::localClockTimes()
{
    QFETCH(int, firstMs);
    QFETCH(int, secondMs);
    QFETCH(QString, time);
    const QByteArray zone = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    const auto restore = qScopeGuard([&] { hadZone ? qputenv("TZ", zone) : qunsetenv("TZ"); });
    const qint64 change = QDateTime(QDate(2026, 3, 29), QTime(1, 0), Qt::UTC).toMSecsSinceEpoch();
    LocalClock clock;
    clock.at(change + firstMs);
    const QDateTime t = clock.at(change + secondMs);
    QCOMPARE(recordingTime(t), time);
    QCOMPARE(t.toMSecsSinceEpoch(), change + secondMs);
}

QTEST_GUILESS_MAIN(TestTrendRecording)
#include "tst_trendrecording.moc"
