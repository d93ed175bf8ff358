#include "monitor/recordexport.h"
#include "monitor/trendrecording.h"
#include "core/language.h"
#include "monitor/ui/recordcontrols.h"

#include "mainwindowbench.h"

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

namespace {
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct Bench : MainWindowBench
{
    RecordControls *controls() const { return window->records(); }
    QString log() const { return controls()->logPath(); }
    void click(const char *name) { QTest::mouseClick(button(QLatin1String(name)), Qt::LeftButton); }
    // 48.25 V, 1500 rpm, power stage 45, motor 130, Iq actual -12, throttle 1.234 V.
    void exampleStatus()
    {
        status({0xDF, 0xEF, 0xD9, 0x12, 0, 0, 0xDC, 0x05, 55, 0, 0, 0, 65, 0, 0, 0x34, 0x30, 0, 0, 0,
                0, 12, 0x80});
    }
    bool waitForExport()
    {
        QSignalSpy ended(controls(), &RecordControls::exportEnded);
        return ended.wait(30000);
    }
};
} // namespace

class TestRecording : public QObject
{
    Q_OBJECT
private slots:
    void recordButtons();
    void offlineWritesNothing();
    void logThatCannotBeWritten();
    void openRecordExportsAndOpens();
    void openRecordRefusals_data();
    void openRecordRefusals();
    void workbookThatCannotBeOpened();
    void logPlaceIsShown();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void timedRecordingBesideTheLog();
    void recordingMark();
};

void TestRecording::recordButtons()
{
    Bench b;
    b.goOnline();
    QVERIFY(!b.button("cmdRecordStop")->isEnabled());
    b.click("cmdRecord");
    QVERIFY(b.state.recorder.recordingActive);
    QVERIFY(b.button("cmdRecordStop")->isEnabled());
    b.exampleStatus();
    b.exampleStatus();
    b.exampleStatus();
    QCOMPARE(contents(b.log()), QByteArray("1,48.25,130,1500,-12,45,1.234,0\r\n"
                                           "2,48.25,130,1500,-12,45,1.234,0\r\n"
                                           "3,48.25,130,1500,-12,45,1.234,0\r\n"));
    QCOMPARE(b.records, 3);
    b.click("cmdRecordStop");
    QVERIFY(!b.state.recorder.recordingActive);
    b.ticks(1);
    QVERIFY(!b.button("cmdRecordStop")->isEnabled());
    b.exampleStatus();
    QCOMPARE(contents(b.log()).count('\n'), 3);
    b.click("cmdRecord");
    b.messages.answer(true); // empty the log
    QCOMPARE(contents(b.log()), QByteArray());
    QVERIFY(b.messages.shown.isEmpty());
}

void TestRecording::offlineWritesNothing()
{
    Bench b;
    b.goOnline();
    b.click("cmdRecord");
    b.ticks(25); // silence: offline
    QCOMPARE(b.state.connection.linkState, LinkStateCode::Offline);
    QVERIFY(b.state.recorder.recordingActive); // recording goes on
    QCOMPARE(contents(b.log()), QByteArray());
}

void TestRecording::logThatCannotBeWritten()
{
    Bench b;
    b.goOnline();
    b.controls()->setDataFolder(b.dataDir.filePath(QStringLiteral("not/there")));
    b.click("cmdRecord");
    QVERIFY(!b.state.recorder.recordingActive);
    QCOMPARE(b.messages.shown.size(), 1);
    b.exampleStatus();
    b.exampleStatus();
    QCOMPARE(b.messages.shown.size(), 1);
    QCOMPARE(b.records, 0);
}

void TestRecording::openRecordExportsAndOpens()
{
    Bench b;
    b.goOnline();
    b.click("cmdRecord");
    b.exampleStatus();
    b.exampleStatus();
    b.click("cmdOpenRec");
    QVERIFY(b.controls()->exporting());
    QVERIFY(b.window->findChild<QProgressBar *>(QStringLiteral("prgExport"))->isVisibleTo(b.window.get()));
    QVERIFY(b.waitForExport());
    QVERIFY(!b.window->findChild<QProgressBar *>(QStringLiteral("prgExport"))->isVisibleTo(b.window.get()));
    QCOMPARE(b.opened.size(), 1);
    QCOMPARE(QFileInfo(b.opened[0]).dir(), QDir(b.dataDir.path()));
    QVERIFY(QFileInfo(b.opened[0]).fileName().startsWith(QStringLiteral("Realtimedata_")));
    QVERIFY(QFile::exists(b.opened[0]));
    QVERIFY(b.messages.shown.isEmpty());
    // Recording goes on meanwhile.
    b.exampleStatus();
    QCOMPARE(contents(b.log()).count('\n'), 3);
}

void TestRecording::openRecordRefusals_data()
{
    QTest::addColumn<QByteArray>("log"); // "-": no log file
    QTest::addColumn<bool>("marker");
    QTest::addColumn<QString>("message");
    QTest::newRow("marker file") << QByteArray("1,2,3,4,5,6,7,8\r\n") << true << "Excle already opened";
    QTest::newRow("no log") << QByteArray("-") << false << "There is no record file";
    QTest::newRow("empty log") << QByteArray() << false << "is empty";
    QTest::newRow("only words") << QByteArray("a\r\nb\r\n") << false << "holds no records";
}

void TestRecording::openRecordRefusals()
{
    QFETCH(QByteArray, log);
    QFETCH(bool, marker);
    QFETCH(QString, message);
    Bench b;
    b.goOnline();
    if (log != "-") {
        QFile f(b.log());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(log);
    }
    if (marker) {
        QFile f(QDir(b.dataDir.path()).filePath(QStringLiteral("excel.bz")));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    b.click("cmdOpenRec");
    if (b.controls()->exporting())
        QVERIFY(b.waitForExport());
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY2(b.messages.shown[0].message.text.contains(message), qPrintable(b.messages.shown[0].message.text));
    if (marker) {
        QCOMPARE(b.messages.shown[0].message.title, QString());
        QCOMPARE(int(b.messages.shown[0].message.icon), int(MessageService::Icon::NoIcon));
    }
    QVERIFY(b.opened.isEmpty());
    QVERIFY(QDir(b.dataDir.path()).entryList({QStringLiteral("*.xlsx*")}).isEmpty());
}

void TestRecording::workbookThatCannotBeOpened()
{
    Bench b;
    b.goOnline();
    QFile f(b.log());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("1,2,3,4,5,6,7,8,9\r\nx\r\n2,2,3,4,5,6,7,8\r\n");
    f.close();
    b.controls()->setFileOpener([](const QString &) { return false; });
    b.click("cmdOpenRec");
    QVERIFY(b.waitForExport());
    // One message: where the workbook is, and what was left out.
    QCOMPARE(b.messages.shown.size(), 1);
    const QString text = b.messages.shown[0].message.text;
    QVERIFY2(text.contains(QStringLiteral("no application could open it")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("1 line(s) of the record file are not numbers")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("(the first is line 2)")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("more than eight fields")), qPrintable(text));
}

void TestRecording::logPlaceIsShown()
{
    Bench b;
    const QString log = QDir::toNativeSeparators(b.log());
    QVERIFY(b.button("cmdRecord")->toolTip().contains(log));
    b.window->applyLanguage(LanguageCode::Chinese);
    QVERIFY(b.button("cmdRecord")->toolTip().contains(log));
    QVERIFY(b.button("cmdRecord")->toolTip().contains(QString::fromUtf8("记录")));
    b.window->applyLanguage(LanguageCode::English);
}

void TestRecording::overwriteQuestion_data()
{
    QTest::addColumn<bool>("running"); // asked while recording
    QTest::addColumn<bool>("yes");
    QTest::newRow("stopped, yes") << false << true;
    QTest::newRow("stopped, no") << false << false;
    QTest::newRow("running, yes") << true << true;
    QTest::newRow("running, no") << true << false;
}

// Yes: the log starts anew, as "Data record" always did. No: nothing changes.
void TestRecording::overwriteQuestion()
{
    QFETCH(bool, running);
    QFETCH(bool, yes);
    Bench b;
    b.goOnline();
    b.click("cmdRecord");
    QVERIFY(b.messages.questions.isEmpty()); // an empty log: no question
    b.exampleStatus();
    b.exampleStatus();
    const QString firstCsv = b.controls()->timedRecordingPath();
    if (!running)
        b.click("cmdRecordStop");
    b.now = b.now.addSecs(5);
    b.click("cmdRecord");
    QCOMPARE(b.messages.questions.size(), 1);
    const MessageService::Message &q = b.messages.questions[0].message;
    QVERIFY2(q.text.contains(QDir::toNativeSeparators(b.log())), qPrintable(q.text));
    QVERIFY(q.text.contains(QStringLiteral("already holds records")));
    // Nothing happens before the answer.
    QCOMPARE(contents(b.log()).count('\n'), 2);
    b.messages.answer(yes);
    QCOMPARE(b.state.recorder.recordingActive, yes || running);
    QCOMPARE(contents(b.log()).count('\n'), yes ? 0 : 2);
    b.exampleStatus();
    const int lines = yes ? 1 : running ? 3 : 2;
    QCOMPARE(contents(b.log()).count('\n'), lines);
    QCOMPARE(b.state.recorder.recordCount, yes ? 1 : 2 + running);
    // A new timed recording with a new recording, the same one otherwise.
    const QStringList csv = QDir(b.dataDir.path()).entryList({QStringLiteral("Realtimedata_*.csv")});
    QCOMPARE(csv.size(), yes ? 2 : 1);
    if (running && !yes)
        QCOMPARE(b.controls()->timedRecordingPath(), firstCsv);
    QVERIFY(b.messages.shown.isEmpty());

    // Asked in Chinese too.
    b.window->applyLanguage(LanguageCode::Chinese);
    b.click("cmdRecord");
    QCOMPARE(b.messages.questions.size(), 1);
    QVERIFY(b.messages.questions[0].message.text.contains(QString::fromUtf8("已有记录")));
    b.window->applyLanguage(LanguageCode::English);
}

// Beside the log: every block with its time, the drop and the return.
void TestRecording::timedRecordingBesideTheLog()
{
    Bench b;
    b.goOnline();
    b.click("cmdRecord");
    const QString csv = b.controls()->timedRecordingPath();
    QCOMPARE(QFileInfo(csv).dir(), QDir(b.dataDir.path()));
    QCOMPARE(QFileInfo(csv).fileName(), QStringLiteral("Realtimedata_20261208_090000.csv"));
    b.exampleStatus();
    b.now = b.now.addMSecs(1500);
    b.exampleStatus();
    b.ticks(25); // silence: offline
    b.now = b.now.addSecs(3);
    b.exampleStatus(); // while offline: recorded, but no connection yet
    b.ticks(10);
    b.exampleStatus(); // the reply to the poll: online again
    QCOMPARE(b.state.connection.linkState, LinkStateCode::Online);
    const QList<QByteArray> lines = contents(csv).split('\n');
    QCOMPARE(lines.size(), 2 + 2 + 1 + 2 + 1 + 1);
    const QByteArray time = recordingTime(QDateTime(QDate(2026, 12, 8), QTime(9, 0, 0))).toLatin1();
    QCOMPARE(lines[2], time + ",48.25,0,1500,130,45,0,-12,0,0,1.234,0,0,0x00,0x00,0,0,0x0000,0x0000,\r");
    QVERIFY(lines[3].startsWith(recordingTime(QDateTime(QDate(2026, 12, 8), QTime(9, 0, 1, 500))).toLatin1()));
    QVERIFY(lines[4].endsWith(",link down\r"));
    QVERIFY(lines[5].startsWith(recordingTime(QDateTime(QDate(2026, 12, 8), QTime(9, 0, 4, 500))).toLatin1()));
    QVERIFY(lines[7].endsWith(",link up\r"));
    QCOMPARE(lines[8], QByteArray());
    // Stopped: the file stays as it is.
    b.ticks(1);
    b.click("cmdRecordStop");
    b.exampleStatus();
    QCOMPARE(contents(csv).count('\n'), 8);
    QVERIFY(loadRecording(csv, 22).history);
}

void TestRecording::recordingMark()
{
    Bench b;
    b.goOnline();
    auto *mark = b.window->findChild<QLabel *>(QStringLiteral("lblRecordMark"));
    QVERIFY(mark);
    QVERIFY(!mark->isVisibleTo(b.window.get()));
    b.click("cmdRecord");
    QVERIFY(mark->isVisibleTo(b.window.get()));
    QVERIFY2(mark->text().contains(QStringLiteral("REC 0:00:00, 0 records")), qPrintable(mark->text()));
    b.now = b.now.addSecs(3725);
    b.exampleStatus();
    b.exampleStatus();
    QVERIFY2(mark->text().contains(QStringLiteral("REC 1:02:05, 2 records")), qPrintable(mark->text()));
    b.window->applyLanguage(LanguageCode::Chinese);
    QVERIFY2(mark->text().contains(QString::fromUtf8("记录中 1:02:05，2 条")), qPrintable(mark->text()));
    b.window->applyLanguage(LanguageCode::English);
    b.click("cmdRecordStop");
    QVERIFY(!mark->isVisibleTo(b.window.get()));
}

QTEST_MAIN(TestRecording)
#include "tst_recording.moc"
