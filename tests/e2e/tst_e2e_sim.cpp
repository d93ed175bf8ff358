// End to end: the real kestrane program against the real kestrane-sim over a
// pseudo-terminal pair, and the demo mode against the built-in simulator.

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <unistd.h>

namespace {

// A process's CPU time so far, in seconds (user + system).
double cpuSeconds(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / double(::sysconf(_SC_CLK_TCK));
}

QProcessEnvironment toolEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"),
               QStringLiteral("kestrane.*=true"));
    env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{category}: %{message}"));
    return env;
}

// kestrane-sim with its bench log on stderr.
struct Sim
{
    QProcess process;
    QByteArray log;
    QString device;

    bool start(const QStringList &extra = {})
    {
        QObject::connect(&process, &QProcess::readyReadStandardError,
                         [this] { log += process.readAllStandardError(); });
        process.start(QStringLiteral(KESTRANE_SIM_BIN),
                      QStringList{QStringLiteral("--debug"), QStringLiteral("--seed"),
                                  QStringLiteral("5"), QStringLiteral("--faults-every"),
                                  QStringLiteral("0")}
                          + extra);
        if (!process.waitForStarted(5000))
            return false;
        // The first line of standard output is the device.
        QElapsedTimer t;
        t.start();
        while (!process.canReadLine() && t.elapsed() < 5000)
            process.waitForReadyRead(100);
        device = QString::fromLocal8Bit(process.readLine()).trimmed();
        return device.startsWith(QLatin1String("/dev/"));
    }
    void command(const char *line) { process.write(QByteArray(line) + '\n'); }
    int count(const char *text) const { return int(log.count(text)); }
    // When the polls came, in seconds, from byte `from` of the log on
    // ("kestrane-sim    12.345 rx FD 48 55").
    QList<double> pollTimes(qsizetype from = 0) const
    {
        QList<double> times;
        for (const QByteArray &line : log.mid(from).split('\n'))
            if (line.endsWith("rx FD 48 55"))
                times << line.simplified().split(' ').value(1).toDouble();
        return times;
    }
    ~Sim()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(3000);
        }
    }
};

struct Tool
{
    QProcess process;
    QByteArray log;

    void start(const QStringList &arguments, const QString &loggingRules = {})
    {
        QProcessEnvironment env = toolEnvironment();
        if (!loggingRules.isEmpty())
            env.insert(QStringLiteral("QT_LOGGING_RULES"), loggingRules);
        process.setProcessEnvironment(env);
        QObject::connect(&process, &QProcess::readyReadStandardError,
                         [this] { log += process.readAllStandardError(); });
        process.start(QStringLiteral(KESTRANE_BIN), arguments);
    }
    int count(const char *text) const { return int(log.count(text)); }
    // Accepted live-status blocks: the in-frame dump of a DF EF block that ends in DA.
    int goodStatusBlocks() const
    {
        int n = 0;
        for (const QByteArray &line : log.split('\n'))
            n += line.contains("in  DF EF") && line.endsWith(" DA");
        return n;
    }
    ~Tool()
    {
        process.kill();
        process.waitForFinished(3000);
    }
};

} // namespace

class TestE2ESim : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void helpAndEndOfInput();
    void onlineWithinThreeSeconds();
    void silenceThenBackByItself();
    void survivesGarbageAndCorruptBlocks();
    void keepsStepUnderAFlood();
    void demoModeComesOnline();
    void replugLoop();

private:
    // Starts both and waits until the link is up; returns false on failure.
    bool connect(Sim &sim, Tool &tool);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestE2ESim::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

bool TestE2ESim::connect(Sim &sim, Tool &tool)
{
    if (!sim.start())
        return false;
    tool.start({QStringLiteral("--port"), sim.device});
    return QTest::qWaitFor([&] { return tool.count("link state 1 -> 7") >= 1; }, 10000);
}

void TestE2ESim::helpAndEndOfInput()
{
    QProcess help;
    help.start(QStringLiteral(KESTRANE_SIM_BIN), {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(5000));
    QCOMPARE(help.exitCode(), 0);
    const QByteArray text = help.readAllStandardOutput();
    for (const char *word : {"silence", "corrupt", "garbage", "split", "delay", "drop", "throttle",
                             "quit", "--type", "--seed", "--link"})
        QVERIFY2(text.contains(word), word);

    // With --link it makes the symlink, and removes it when its input ends.
    Sim sim;
    const QString link = m_dir->filePath(QStringLiteral("ttySIM"));
    QVERIFY(sim.start({QStringLiteral("--link"), link}));
    QCOMPARE(QFileInfo(link).symLinkTarget(), sim.device);
    sim.process.closeWriteChannel();
    QVERIFY(sim.process.waitForFinished(5000));
    QCOMPARE(sim.process.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
}

void TestE2ESim::onlineWithinThreeSeconds()
{
    Sim sim;
    const QString link = m_dir->filePath(QStringLiteral("ttySIM"));
    QVERIFY(sim.start({QStringLiteral("--link"), link}));
    Tool tool;
    tool.start({QStringLiteral("--port"), link});
    QTRY_VERIFY_WITH_TIMEOUT(tool.log.contains("opened"), 10000);
    QElapsedTimer sinceOpened;
    sinceOpened.start();
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("link state 1 -> 7") == 1, 5000);
    QVERIFY2(sinceOpened.elapsed() <= 3000, qPrintable(QString::number(sinceOpened.elapsed())));

    // The Idc block is read once per connection, not on every poll.
    QTRY_COMPARE_WITH_TIMEOUT(sim.count("rx FB ED DA"), 1, 2000);
    QTest::qWait(2500);
    QCOMPARE(sim.count("rx FB ED DA"), 1);
    QVERIFY(sim.count("rx FD 48 55") >= 3);
    QVERIFY(tool.log.contains("in  FB ED"));
    // Idle, the link sleeps between polls and still polls once a second,
    // on its 100 ms steps.
    const QList<double> polls = sim.pollTimes();
    for (int i = std::max(1, int(polls.size()) - 3); i < polls.size(); ++i)
        QVERIFY2(qAbs(polls[i] - polls[i - 1] - 1.0) <= 0.15,
                 qPrintable(QStringLiteral("polls %1 s apart").arg(polls[i] - polls[i - 1])));
    QCOMPARE(tool.count("-> 3"), 0);

    sim.command("quit");
    QVERIFY(sim.process.waitForFinished(5000));
    QCOMPARE(sim.process.exitCode(), 0);
}

void TestE2ESim::silenceThenBackByItself()
{
    Sim sim;
    Tool tool;
    QVERIFY2(connect(sim, tool), tool.log.constData());
    QTRY_COMPARE_WITH_TIMEOUT(sim.count("rx FB ED DA"), 1, 2000);

    sim.command("silence 3");
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("-> 3") >= 1, 4000);
    // Back without any help, and the new connection reads the Idc block again.
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("link state 1 -> 7") == 2, 6000);
    QTRY_COMPARE_WITH_TIMEOUT(sim.count("rx FB ED DA"), 2, 2000);
    QCOMPARE(tool.process.state(), QProcess::Running);
}

void TestE2ESim::survivesGarbageAndCorruptBlocks()
{
    Sim sim;
    Tool tool;
    QVERIFY2(connect(sim, tool), tool.log.constData());

    sim.command("garbage 40");
    QTest::qWait(1200);
    sim.command("corrupt");
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("block without end marker dropped") >= 1, 3000);
    // The link recovers: good status blocks come in again and the tool is
    // online (it may have dropped a block or two, not the connection).
    const int before = tool.goodStatusBlocks();
    QTRY_VERIFY_WITH_TIMEOUT(tool.goodStatusBlocks() >= before + 2, 4000);
    QVERIFY(tool.log.lastIndexOf("link state") == tool.log.lastIndexOf("link state 1 -> 7"));

    // Replies in pieces and late ones keep the link up too.
    sim.command("split on");
    sim.command("delay 300");
    const int split = tool.goodStatusBlocks();
    QTRY_VERIFY_WITH_TIMEOUT(tool.goodStatusBlocks() >= split + 2, 4000);
    QCOMPARE(tool.count("-> 3"), 0);
    QCOMPARE(tool.process.state(), QProcess::Running);
}

// Ten seconds of live-status blocks as fast as the tool takes them, after a
// clean start: not one block is bad, the link stays up, and the window keeps
// answering: its 100 ms link timer stays on time (every poll comes within
// 200 ms of its second).
void TestE2ESim::keepsStepUnderAFlood()
{
    Sim sim;
    QVERIFY(sim.start());
    Tool tool;
    // The link's own log only: a dump of every frame would be the bottleneck.
    tool.start({QStringLiteral("--port"), sim.device}, QStringLiteral("kestrane.link=true"));
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("link state 1 -> 7") >= 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(sim.count("rx FB ED DA"), 1, 3000);

    const int pollsBefore = sim.count("rx FD 48 55");
    const qsizetype logFrom = sim.log.size();
    sim.command("flood 1000000");
    QTest::qWait(10000);
    sim.command("flood 0");
    sim.command("stats");
    QTRY_VERIFY_WITH_TIMEOUT(sim.process.canReadLine() && sim.process.peek(4096).contains("flood blocks"),
                             3000);
    QByteArray stats;
    while (!stats.contains("flood blocks"))
        stats = sim.process.readLine();
    const qint64 flooded = stats.mid(stats.lastIndexOf(' ') + 1).trimmed().toLongLong();
    qInfo("flooded %lld status blocks in 10 s (%lld a second)", flooded, flooded / 10);
    QVERIFY2(flooded >= 10000, stats.constData());

    QCOMPARE(sim.count("line full"), 0); // every block flooded reached the tool
    QCOMPARE(tool.count("block without end marker dropped"), 0);
    QCOMPARE(tool.count("-> 3"), 0);
    QVERIFY2(tool.process.state() == QProcess::Running,
             qPrintable(QStringLiteral("the tool ended (%1, exit %2): %3")
                            .arg(tool.process.exitStatus() == QProcess::CrashExit ? QStringLiteral("crashed")
                                                                                  : QStringLiteral("exited"))
                            .arg(tool.process.exitCode())
                            .arg(QString::fromLocal8Bit(tool.log.right(600)))));

    // The polls' times during the flood.
    const QList<double> polls = sim.pollTimes(logFrom);
    QVERIFY2(polls.size() >= 8, qPrintable(QString::number(polls.size())));
    QVERIFY(sim.count("rx FD 48 55") > pollsBefore);
    for (int i = 1; i < polls.size(); ++i)
        QVERIFY2(polls[i] - polls[i - 1] <= 1.2,
                 qPrintable(QStringLiteral("polls %1 s apart").arg(polls[i] - polls[i - 1])));
}

void TestE2ESim::demoModeComesOnline()
{
    Tool tool;
    QElapsedTimer sinceStart;
    sinceStart.start();
    tool.start({QStringLiteral("--demo"), QStringLiteral("--type"), QStringLiteral("1")});
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("link state 1 -> 7") == 1, 5000);
    QVERIFY2(sinceStart.elapsed() <= 3000, qPrintable(QString::number(sinceStart.elapsed())));
    QVERIFY(tool.log.contains("port Simulator opened"));
    // The Idc block of the built-in controller reports the chosen type.
    QTRY_VERIFY_WITH_TIMEOUT(tool.log.contains("in  FB ED"), 2000);
    const qsizetype at = tool.log.indexOf("in  FB ED");
    const QList<QByteArray> idc = tool.log.mid(at + 4, 3 * 32).split(' ');
    QCOMPARE(idc.value(14), QByteArray("01"));
}

// The controller is pulled and plugged back again and again under the same
// name: after each return the link is online within two seconds, each drop
// gives exactly one notice, and the tool idles while the device is gone.
// KESTRANE_REPLUG_CYCLES sets the number of cycles (10 by default).
void TestE2ESim::replugLoop()
{
    const int cycles = qEnvironmentVariableIsSet("KESTRANE_REPLUG_CYCLES")
                           ? qEnvironmentVariableIntValue("KESTRANE_REPLUG_CYCLES")
                           : 10;
    const QString link = m_dir->filePath(QStringLiteral("ttySIM"));
    auto sim = std::make_unique<Sim>();
    QVERIFY(sim->start({QStringLiteral("--link"), link}));
    Tool tool;
    tool.start({QStringLiteral("--port"), link});
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("link state 1 -> 7") == 1, 10000);

    QElapsedTimer total;
    total.start();
    double goneCpu = 0;
    qint64 goneMs = 0;
    qint64 slowestReturnMs = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        sim->process.terminate(); // the adapter is pulled
        QVERIFY(sim->process.waitForFinished(5000));
        QTRY_VERIFY2_WITH_TIMEOUT(tool.count(" lost: ") == cycle, tool.log.constData(), 3000);

        QElapsedTimer gone;
        gone.start();
        const double cpuBefore = cpuSeconds(tool.process.processId());
        QTest::qWait(1500);
        goneCpu += cpuSeconds(tool.process.processId()) - cpuBefore;
        goneMs += gone.elapsed();

        sim = std::make_unique<Sim>(); // plugged back under the same name
        QVERIFY(sim->start({QStringLiteral("--link"), link}));
        QElapsedTimer back;
        back.start();
        QTRY_VERIFY2_WITH_TIMEOUT(tool.count("link state 1 -> 7") == cycle + 1,
                                  qPrintable(QStringLiteral("cycle %1").arg(cycle)), 5000);
        slowestReturnMs = std::max(slowestReturnMs, back.elapsed());
        QVERIFY2(back.elapsed() <= 2000,
                 qPrintable(QStringLiteral("cycle %1: online %2 ms after the return")
                                .arg(cycle)
                                .arg(back.elapsed())));
        QCOMPARE(tool.count(" lost: "), cycle);
    }
    const double share = goneCpu / (double(goneMs) / 1000.0);
    qInfo("%d cycles in %.1f s; slowest return %lld ms; %.2f %% of a core while gone", cycles,
          double(total.elapsed()) / 1000.0, slowestReturnMs, share * 100);
    QVERIFY2(share < 0.01, qPrintable(QStringLiteral("%1 s of CPU in %2 ms gone").arg(goneCpu).arg(goneMs)));
    QCOMPARE(tool.process.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TestE2ESim)
#include "tst_e2e_sim.moc"
