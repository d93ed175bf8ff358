#include "monitor/recordexport.h"
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

QTEST_MAIN(TestRecording)
#include "tst_recording.moc"
