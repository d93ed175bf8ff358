#include "widgets/indicator.h"

#include "mainwindowbench.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {
struct Bench : MainWindowBench
{
    QString panel(const char *key) const { return window->findChild<QLabel *>(key)->text(); }
    int shapeColor() const { return window->findChild<IndicatorShape *>("ShapeWelCom1")->fillColor(); }
    QString welcome() const { return window->findChild<QLabel *>("lblWelCom1")->text(); }
};
} // namespace

class TestMainWindowLink : public QObject
{
    Q_OBJECT
private slots:
    void startUp();
    void followsTheLink();
    void exitClosesThePort_data();
    void exitClosesThePort();
    void portFailureAtStart();
    void adapterBackUnderAnotherName();
};

void TestMainWindowLink::startUp()
{
    Bench b;
    QCOMPARE(b.window->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(b.shapeColor(), 255);
    // Shown beside the dot, not by colour alone.
    QVERIFY(!b.window->findChild<QLabel *>("lblWelCom1")->isHidden());
    QCOMPARE(b.welcome(), QStringLiteral("OFFLINE"));
    QCOMPARE(b.panel("PortNo"), QStringLiteral("COM - ?"));
    QCOMPARE(b.panel("PortState"), QStringLiteral("?"));
    QVERIFY(b.window->findChild<QLabel *>("McuSN"));
    QVERIFY(b.window->findChild<QLabel *>("Data"));
    QVERIFY(!b.window->linkTimer()->isActive());
    QCOMPARE(b.window->linkTimer()->interval(), 100);
    QCOMPARE(b.line.opens, 0);
    QCOMPARE(b.state.connection.linkState, 3);
    QCOMPARE(b.window->windowTitle(), QStringLiteral("EV Kestrane V2.0.0.10.1"));
    QCOMPARE(b.window->findChild<QMenu *>("Menu_File")->title(), QStringLiteral("&File"));
    QCOMPARE(b.window->findChild<QAction *>("Menu_File_Exit")->text(), QStringLiteral("E&xit"));
    QCOMPARE(b.window->findChild<QMenu *>("Menu_Option")->title(), QStringLiteral("&Options"));
    QCOMPARE(b.window->findChild<QAction *>("Menu_Option_ComSet")->text(),
             QStringLiteral("&Com Setting..."));
}

void TestMainWindowLink::followsTheLink()
{
    Bench b;
    QVERIFY(b.window->openPortAtStart(QStringLiteral("/dev/ttyFAKE"), QStringLiteral("19200,n,8,1")));
    QVERIFY(b.window->linkTimer()->isActive());
    b.window->linkTimer()->stop(); // the test steps the timer by hand

    b.ticks(9);
    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.welcome(), QStringLiteral("OFFLINE"));
    QCOMPARE(b.panel("PortState"), QStringLiteral("19200,n,8,1"));
    b.ticks(1);
    QCOMPARE(b.line.writes, QList<QByteArray>{bytesOf({0xFD, 0x48, 0x55})});
    QCOMPARE(b.welcome(), QStringLiteral("Connecting..."));
    QCOMPARE(b.panel("PortState"), QStringLiteral("?"));
    QCOMPARE(b.panel("PortNo"), QStringLiteral("COM - /dev/ttyFAKE"));
    QCOMPARE(b.shapeColor(), 255);

    b.line.deliver(toByteArray(makeBlock({0xDF, 0xEF})));
    b.ticks(1);
    QCOMPARE(b.shapeColor(), 65280);
    QCOMPARE(b.welcome(), QStringLiteral("ONLINE"));
    QCOMPARE(b.panel("PortState"), QStringLiteral("19200,n,8,1"));
    QCOMPARE(b.line.writes.last(), bytesOf({0xFB, 0xED, 0xDA}));

    b.ticks(19); // 20 ticks since the block
    QCOMPARE(b.shapeColor(), 65280);
    b.ticks(1);
    QCOMPARE(b.shapeColor(), 255);
    QCOMPARE(b.welcome(), QStringLiteral("OFFLINE"));
}

void TestMainWindowLink::exitClosesThePort_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("File > Exit") << false;
    QTest::newRow("close box") << true;
}

void TestMainWindowLink::exitClosesThePort()
{
    QFETCH(bool, closeBox);
    Bench b;
    b.window->show();
    b.window->openPortAtStart(QStringLiteral("/dev/ttyFAKE"), QStringLiteral("9600,n,8,1"));
    QVERIFY(b.line.isOpen());
    if (closeBox)
        b.window->close();
    else
        b.window->findChild<QAction *>("Menu_File_Exit")->trigger();
    QVERIFY(!b.line.isOpen());
    QCOMPARE(b.line.closes, 1);
    QCOMPARE(b.quits, 1);
    QVERIFY(!b.window->linkTimer()->isActive());
    QVERIFY(!b.window->isVisible());
}

void TestMainWindowLink::portFailureAtStart()
{
    Bench b;
    b.line.openError = SerialPort::OpenError::NotFound;
    QVERIFY(!b.window->openPortAtStart(QStringLiteral("/dev/ttyGONE"), QStringLiteral("9600,n,8,1")));
    QVERIFY(!b.window->linkTimer()->isActive());
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY(b.messages.shown[0].message.text.contains(QStringLiteral("/dev/ttyGONE")));
}

void TestMainWindowLink::adapterBackUnderAnotherName()
{
    Bench b;
    FakeEnumerator ports;
    ports.add(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT4Y9"));
    b.link.setPortEnumerator(&ports);
    QVERIFY(b.window->openPortAtStart(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("9600,n,8,1")));
    b.window->linkTimer()->stop();
    b.ticks(10);
    b.status({0xDF, 0xEF});
    b.ticks(1);
    QCOMPARE(b.welcome(), QStringLiteral("ONLINE"));
    QCOMPARE(b.panel("PortNo"), QStringLiteral("COM - /dev/ttyUSB0"));

    b.line.fail(QStringLiteral("Input/output error"));
    ports.remove(QStringLiteral("/dev/ttyUSB0"));
    b.line.missing << QStringLiteral("/dev/ttyUSB0");
    b.ticks(15);
    QCOMPARE(b.welcome(), QStringLiteral("OFFLINE"));
    QCOMPARE(b.panel("PortNo"), QStringLiteral("COM - /dev/ttyUSB0"));

    ports.add(QStringLiteral("/dev/ttyUSB1"), QStringLiteral("FT4Y9"));
    b.ticks(10);
    b.status({0xDF, 0xEF});
    b.ticks(1);
    QCOMPARE(b.welcome(), QStringLiteral("ONLINE"));
    QCOMPARE(b.panel("PortNo"), QStringLiteral("COM - /dev/ttyUSB1"));
    // The one notice of the drop, closed now that the link is back.
    QVERIFY(b.messages.shown.isEmpty());
    QCOMPARE(b.messages.closed.size(), 1);
}

QTEST_MAIN(TestMainWindowLink)
#include "tst_mainwindow_link.moc"
