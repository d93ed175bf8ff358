#include "shell/commandline.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("exitNow");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("demo");
    QTest::newRow("nothing") << QStringList{} << false << 0 << "" << "9600,n,8,1" << false;
    QTest::newRow("port") << QStringList{"--port", "/dev/ttyUSB0"} << false << 0 << "/dev/ttyUSB0"
                          << "9600,n,8,1" << false;
    QTest::newRow("port and settings")
        << QStringList{"--port", "/dev/ttyUSB0", "--settings", "57600,e,7,2"} << false << 0
        << "/dev/ttyUSB0" << "57600,e,7,2" << false;
    QTest::newRow("bad settings") << QStringList{"--settings", "9600,x,8,1"} << true << 2 << "" << "" << false;
    QTest::newRow("demo") << QStringList{"--demo"} << false << 0 << "" << "9600,n,8,1" << true;
    QTest::newRow("demo with port") << QStringList{"--demo", "--port", "/dev/x"} << true << 2 << "" << "" << true;
    QTest::newRow("bad type") << QStringList{"--demo", "--type", "4"} << true << 2 << "" << "" << true;
    QTest::newRow("help") << QStringList{"--help"} << true << 0 << "" << "" << false;
    QTest::newRow("version") << QStringList{"--version"} << true << 0 << "" << "" << false;
    QTest::newRow("unknown option") << QStringList{"--colour"} << true << 2 << "" << "" << false;
    QTest::newRow("stray argument") << QStringList{"COM1"} << true << 2 << "" << "" << false;
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(bool, exitNow);
    QFETCH(int, exitCode);
    QFETCH(QString, port);
    QFETCH(QString, settings);
    QFETCH(bool, demo);
    const CommandLineOptions o = parseCommandLine(QStringList{"kestrane"} + args);
    QCOMPARE(o.exitNow, exitNow);
    QCOMPARE(o.exitCode, exitCode);
    if (exitNow) {
        QVERIFY(!o.message.isEmpty());
        return;
    }
    QCOMPARE(o.port, port);
    QCOMPARE(o.settings, settings);
    QCOMPARE(o.demo, demo);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
