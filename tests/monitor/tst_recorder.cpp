#include "core/appstate.h"
#include "monitor/recorder.h"
#include "monitor/statusdecoder.h"

#include "fakeport.h"
#include "recordingmessages.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

LiveValues live(double vdc, double motor, double speed, double iq, int power, double throttle, int error)
{
    LiveValues v;
    v.batteryVoltage = vdc;
    v.lastMotorTemp = motor;
    v.lastSpeed = speed;
    v.lastIqActual = iq;
    v.lastPowerTemp = power;
    v.lastThrottle = throttle;
    v.lastErrorWord = error;
    return v;
}

struct Bench
{
    AppState state;
    RecordingMessages messages;
    QTemporaryDir dir;
    DataRecorder recorder{state.recorder, state.language, messages};
    Bench() { recorder.setFolder(dir.path()); }
    QByteArray log() const { return contents(recorder.logPath()); }
};
} // namespace

class TestRecorder : public QObject
{
    Q_OBJECT
private slots:
    void recordLineForm_data();
    void recordLineForm();
    void decodedBlockGivesTheExampleLine();
    void threeBlocksThreeLines();
    void stopKeepsAndStartEmpties();
    void nothingWithoutBlocks();
    void unwritableFolder_data();
    void unwritableFolder();
    void failedWriteStopsWithOneMessage();
    void tornLastLineIsEnded_data();
    void tornLastLineIsEnded();
};

void TestRecorder::recordLineForm_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<LiveValues>("values");
    QTest::addColumn<QString>("line");
    QTest::newRow("the example") << 1 << live(48.25, 130, 1500, -12, 45, 1.234, 0)
                                 << "1,48.25,130,1500,-12,45,1.234,0";
    QTest::newRow("no trailing zeros") << 7 << live(48.0, 20, 0, 0.5, 0, 1.0, 16)
                                       << "7,48,20,0,0.5,0,1,16";
    QTest::newRow("binary noise is not shown") << 2 << live(48.26, 0, 0, 0, 0, 0.005, 0)
                                               << "2,48.26,0,0,0,0,0.005,0";
    QTest::newRow("negatives with a minus") << 3 << live(0, -20, -1500, -0.25, -10, 0, 65535)
                                            << "3,0,-20,-1500,-0.25,-10,0,65535";
    QTest::newRow("minus zero is 0") << 4 << live(-0.0, -0.0, 0, -0.0, 0, -0.0, 0) << "4,0,0,0,0,0,0,0";
    QTest::newRow("large values without exponent") << 2147483647 << live(655.35, 510, 32767, -32767, 245, 6.553, 65535)
                                                   << "2147483647,655.35,510,32767,-32767,245,6.553,65535";
}

void TestRecorder::recordLineForm()
{
    QFETCH(int, count);
    QFETCH(LiveValues, values);
    QFETCH(QString, line);
    RecorderState r;
    r.recordCount = count;
    r.live = values;
    QCOMPARE(recordLine(r), line);
}

void TestRecorder::decodedBlockGivesTheExampleLine()
{
    // 48.25 V, 1500 rpm, power stage 45, motor 130, Iq actual -12, throttle 1.234 V, history 0.
    Bench b;
    b.state.frames.statusFrame() = makeBlock({0xDF, 0xEF, 0xD9, 0x12, 0, 0, 0xDC, 0x05, 55, 0, 0, 0,
                                              65, 0, 0, 0x34, 0x30, 0, 0, 0, 0, 12, 0x80});
    QVERIFY(b.recorder.cmdRecord_Click());
    decodeStatus(b.state.statusParts(), QDateTime::currentDateTime());
    QVERIFY(b.recorder.recordStatus());
    QCOMPARE(b.log(), QByteArray("1,48.25,130,1500,-12,45,1.234,0\r\n"));
}

void TestRecorder::threeBlocksThreeLines()
{
    Bench b;
    QVERIFY(b.recorder.cmdRecord_Click());
    QVERIFY(b.state.recorder.recordingActive);
    for (int i = 0; i < 3; ++i) {
        b.state.recorder.live = live(48 + i, 0, 0, 0, 0, 0, 0);
        QVERIFY(b.recorder.recordStatus());
    }
    QCOMPARE(b.log(), QByteArray("1,48,0,0,0,0,0,0\r\n2,49,0,0,0,0,0,0\r\n3,50,0,0,0,0,0,0\r\n"));
    QCOMPARE(b.state.recorder.recordCount, 3);
    QVERIFY(b.messages.shown.isEmpty());
}

void TestRecorder::stopKeepsAndStartEmpties()
{
    Bench b;
    QVERIFY(b.recorder.cmdRecord_Click());
    b.recorder.recordStatus();
    b.recorder.recordStatus();
    b.recorder.cmdRecordStop_Click();
    QVERIFY(!b.recorder.recordStatus()); // no record is due
    QCOMPARE(b.log(), QByteArray("1,0,0,0,0,0,0,0\r\n2,0,0,0,0,0,0,0\r\n"));

    QVERIFY(b.recorder.cmdRecord_Click());
    QCOMPARE(b.log(), QByteArray());
    QCOMPARE(b.state.recorder.recordCount, 0);
    b.recorder.recordStatus();
    QCOMPARE(b.log(), QByteArray("1,0,0,0,0,0,0,0\r\n"));

    // "Data record" while recording starts over as well.
    QVERIFY(b.recorder.cmdRecord_Click());
    QCOMPARE(b.log(), QByteArray());
}

void TestRecorder::nothingWithoutBlocks()
{
    // Recording runs on, but without status blocks (offline) nothing is written.
    Bench b;
    QVERIFY(b.recorder.cmdRecord_Click());
    QVERIFY(QFile::exists(b.recorder.logPath()));
    QCOMPARE(b.log(), QByteArray());
    QCOMPARE(b.state.recorder.recordCount, 0);
}

void TestRecorder::unwritableFolder_data()
{
    QTest::addColumn<QString>("folder"); // relative to a scratch folder
    QTest::newRow("folder missing") << "gone/deeper";
    QTest::newRow("folder is a file") << "plain.txt";
    QTest::newRow("no folder at all") << "";
}

void TestRecorder::unwritableFolder()
{
    QFETCH(QString, folder);
    Bench b;
    writeFile(b.dir.filePath(QStringLiteral("plain.txt")), "x");
    b.recorder.setFolder(folder.isEmpty() ? QString() : b.dir.filePath(folder));
    b.state.recorder.recordingActive = true; // an earlier recording must not run on
    QVERIFY(!b.recorder.cmdRecord_Click());
    QVERIFY(!b.state.recorder.recordingActive);
    QCOMPARE(b.messages.shown.size(), 1);
    QCOMPARE(b.messages.shown[0].message.title, QStringLiteral("info"));
    QVERIFY(b.messages.shown[0].message.text.contains(QStringLiteral("Realtimedata.txt")));

    setLanguage(b.state.language, LanguageCode::Chinese);
    QVERIFY(!b.recorder.cmdRecord_Click());
    QVERIFY2(b.messages.shown[1].message.text.contains(QStringLiteral("记录")),
             qPrintable(b.messages.shown[1].message.text));
    setLanguage(b.state.language, LanguageCode::English);
}

void TestRecorder::failedWriteStopsWithOneMessage()
{
    Bench b;
    QVERIFY(b.recorder.cmdRecord_Click());
    QVERIFY(b.recorder.recordStatus());
    // The log turns into something that cannot be written (a folder).
    const QString path = b.recorder.logPath();
    QVERIFY(QFile::rename(path, path + QStringLiteral(".kept")));
    QVERIFY(QDir().mkdir(path));
    for (int i = 0; i < 5; ++i)
        b.recorder.recordStatus();
    QVERIFY(!b.state.recorder.recordingActive);
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY(b.messages.shown[0].message.text.contains(QStringLiteral("Recording has stopped")));
    QCOMPARE(contents(path + QStringLiteral(".kept")), QByteArray("1,0,0,0,0,0,0,0\r\n"));
}

void TestRecorder::tornLastLineIsEnded_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("torn mid-line") << QByteArray("1,0,0,0,0,0,0,0\r\n2,48.2")
                                   << QByteArray("1,0,0,0,0,0,0,0\r\n2,48.2\r\n3,0,0,0,0,0,0,0\r\n");
    QTest::newRow("torn after CR") << QByteArray("1,0,0,0,0,0,0,0\r")
                                   << QByteArray("1,0,0,0,0,0,0,0\r\r\n3,0,0,0,0,0,0,0\r\n");
    QTest::newRow("whole lines") << QByteArray("1,0,0,0,0,0,0,0\r\n")
                                 << QByteArray("1,0,0,0,0,0,0,0\r\n3,0,0,0,0,0,0,0\r\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray("3,0,0,0,0,0,0,0\r\n");
}

void TestRecorder::tornLastLineIsEnded()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Realtimedata.txt"));
    writeFile(path, before);
    RecorderState r;
    r.recordCount = 3;
    QVERIFY(appendRecord(r, path).ok);
    QCOMPARE(contents(path), after);
}

QTEST_GUILESS_MAIN(TestRecorder)
#include "tst_recorder.moc"
