// The bench commands typed on the simulator's standard input.

#include "simtesthelpers.h"

#include <QTest>

class TestSimCommands : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void helpNamesEveryCommand();
};

void TestSimCommands::parse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("effect"); // what to check afterwards

    auto row = [](const char *line, bool ok, const char *effect = "") {
        QTest::newRow(line) << QString::fromLatin1(line) << ok << QString::fromLatin1(effect);
    };
    row("silence 5", true, "silent 5000");
    row("silence 0.5", true, "silent 500");
    row("  SILENCE   2  ", true, "silent 2000");
    row("silence", false);
    row("silence -1", false);
    row("silence five", false);
    row("corrupt", true, "corrupt");
    row("garbage 40", true, "garbage 40");
    row("garbage 0", false);
    row("garbage 5000", false);
    row("split on", true, "split 1");
    row("split off", true, "split 0");
    row("split sometimes", false);
    row("pace on", true, "pace 1");
    row("pace off", true, "pace 0");
    row("pace fast", false);
    row("line 19200", true, "own 19200,*,*,*");
    row("line 9600, e, 8, 1.5", true, "own 9600,e,8,1.5");
    row("line *,o", true, "own *,o,*,*");
    row("line any", true, "own any");
    row("line 9600,x", false);
    row("line 9600,n,9,1", false);
    row("line 9600,n,8,1,1", false);
    row("line", false);
    row("delay 300", true, "delay 300");
    row("delay -5", false);
    row("drop 0.2", true, "drop 0.2");
    row("drop 1.5", false);
    row("drop nan", false);
    row("throttle 30", true, "throttle 30");
    row("throttle 101", false);
    row("gear backward", true, "gear 4");
    row("gear sideways", false);
    row("brake on", true, "brake 1");
    row("mode 1", true, "mode 1");
    row("mode 9", false);
    row("fault hall", true, "fault 2");
    row("fault open 1", true, "fault 16384");
    row("fault fire", false);
    row("cycle on", true, "cycle 1");
    row("status", true);
    row("stats", true);
    row("", true);
    row("launch", false);
}

void TestSimCommands::parse()
{
    QFETCH(QString, line);
    QFETCH(bool, ok);
    QFETCH(QString, effect);

    SimBench bench;
    const sim::CommandResult r = sim::runCommand(bench.model, line, bench.now);
    QCOMPARE(r.ok, ok);
    QVERIFY(!r.quit);
    if (!ok)
        QVERIFY(!r.text.isEmpty());
    const QStringList e = effect.split(QLatin1Char(' '));
    const QString what = e.value(0);
    const double value = e.value(1).toDouble();
    const sim::BenchVehicle &v = bench.model.vehicle();
    if (what == QLatin1String("silent"))
        QCOMPARE(bench.model.silentUntil(), bench.now + qint64(value));
    else if (what == QLatin1String("corrupt"))
        QCOMPARE(u8At(bench.poll(), 31), 0xDB);
    else if (what == QLatin1String("garbage"))
        QCOMPARE(bench.waitBytes(0).size(), int(value));
    else if (what == QLatin1String("pace"))
        QCOMPARE(bench.model.pace(), value != 0);
    else if (what == QLatin1String("own"))
        QCOMPARE(bench.model.ownLine().toString(), e.value(1));
    else if (what == QLatin1String("split"))
        QCOMPARE(bench.model.split(), value != 0);
    else if (what == QLatin1String("delay"))
        QCOMPARE(bench.model.delayMs(), qint64(value));
    else if (what == QLatin1String("drop"))
        QCOMPARE(bench.model.dropFraction(), value);
    else if (what == QLatin1String("throttle"))
        QCOMPARE(v.throttle(), value);
    else if (what == QLatin1String("gear"))
        QCOMPARE(int(v.gear()), int(value));
    else if (what == QLatin1String("brake"))
        QCOMPARE(v.brake(), value != 0);
    else if (what == QLatin1String("mode"))
        QCOMPARE(v.mode(), int(value));
    else if (what == QLatin1String("cycle"))
        QCOMPARE(v.driveCycle(), value != 0);
    else if (what == QLatin1String("fault")) {
        bench.waitBytes(100);
        QCOMPARE(u16At(bench.poll(), 19), int(value));
    }
    if (!ok) {
        // A refused command changes nothing on the line.
        QCOMPARE(bench.model.silentUntil(), qint64(0));
        QCOMPARE(bench.model.split(), false);
        QCOMPARE(bench.model.delayMs(), qint64(0));
        QCOMPARE(bench.model.dropFraction(), 0.0);
        QCOMPARE(bench.model.pace(), false);
        QVERIFY(!bench.model.ownLine().anyField());
        QCOMPARE(bench.waitBytes(0), QByteArray());
    }
}

void TestSimCommands::helpNamesEveryCommand()
{
    SimBench bench;
    const sim::CommandResult help = sim::runCommand(bench.model, QStringLiteral("help"), bench.now);
    for (const char *name : {"silence", "corrupt", "garbage", "split", "pace", "line", "delay", "drop", "throttle",
                             "gear", "brake", "mode", "fault", "cycle", "status", "stats", "quit"})
        QVERIFY2(help.text.contains(QLatin1String(name)), name);
    QVERIFY(sim::runCommand(bench.model, QStringLiteral("quit"), bench.now).quit);
}

QTEST_GUILESS_MAIN(TestSimCommands)
#include "tst_simcommands.moc"
