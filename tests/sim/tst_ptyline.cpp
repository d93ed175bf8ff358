// The simulated controller on a pseudo-terminal pair, opened from here with
// the tool's own serial port at the settings of each row: the controller
// reads them off the line and answers only at its own.

#include "ptyendpoint.h"
#include "simline.h"

#include "link/qtserialport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

class TestPtyLine : public QObject
{
    Q_OBJECT
private slots:
    void answersAtItsOwnSettings_data();
    void answersAtItsOwnSettings();
};

void TestPtyLine::answersAtItsOwnSettings_data()
{
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("understood");

    auto row = [](const char *name, const char *own, const char *opened, bool understood) {
        QTest::newRow(name) << QString::fromLatin1(own) << QString::fromLatin1(opened) << understood;
    };
    row("settings match", "19200,o,8,1", "19200,o,8,1", true);
    row("rate differs", "19200,o,8,1", "9600,o,8,1", false);
    row("parity differs", "19200,o,8,1", "19200,n,8,1", false);
    row("stop bits differ", "19200,o,8,1", "19200,o,8,2", false);
    row("no parity matches", "38400,n,8,1", "38400,n,8,1", true);
    row("odd parity where none is wanted", "38400,n,8,1", "38400,o,8,1", false);
}

void TestPtyLine::answersAtItsOwnSettings()
{
    QFETCH(QString, own);
    QFETCH(QString, opened);
    QFETCH(bool, understood);

    sim::SimOptions options;
    options.line = *sim::LineSettings::parse(own);
    sim::SimLine line(options);
    sim::PtyEndpoint pty(line);
    QString error;
    QVERIFY2(pty.open(&error), qPrintable(error));

    QtSerialPort port;
    QVERIFY(port.open(pty.devicePath(), *PortSettings::parse(opened)).ok());
    QSignalSpy ready(&port, &SerialPort::readyRead);
    QByteArray got;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(port.write(QByteArray::fromHex("FD4855")));
        QElapsedTimer t;
        t.start();
        // A block comes within a few ms; noise is waited for a little longer.
        while (t.elapsed() < 100 && got.size() < 32 * (i + 1)) {
            ready.wait(20);
            got += port.readAll();
        }
    }
    QCOMPARE(line.model().counters().mismatched, understood ? 0 : 3);
    if (understood) {
        QCOMPARE(got.size(), 3 * 32);
        QCOMPARE(got.left(2), QByteArray::fromHex("DFEF"));
        QCOMPARE(quint8(got[31]), quint8(0xDA));
    } else {
        QVERIFY(!got.isEmpty());
        QVERIFY(!got.contains(char(0xDA)));
    }
}

QTEST_GUILESS_MAIN(TestPtyLine)
#include "tst_ptyline.moc"
