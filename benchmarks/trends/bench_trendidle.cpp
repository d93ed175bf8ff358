// Idle with the trend window open: two copies of the tool, each on a
// kestrane-sim of its own at the first poll rate (a block a second), one
// with the trend window open (--trends) and one without, side by side, so
// a load on the machine weighs on both alike; the figure is the processor
// time each used over the same interval, and their ratio.
//   build/bin/bench_trendidle [seconds]

#include "../benchprocess.h"
#include "../benchstreams.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {
// Nanoseconds on a processor so far, all threads of `pid` together.
qint64 cpuNs(qint64 pid)
{
    const QString proc = QStringLiteral("/proc/%1/task").arg(pid);
    qint64 sum = 0;
    for (const QString &task : QDir(proc).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(proc + u'/' + task + QStringLiteral("/schedstat"));
        if (f.open(QIODevice::ReadOnly))
            sum += f.readAll().split(' ').value(0).toLongLong();
    }
    return sum;
}

using bench::Process;

QString startSim(Process &sim)
{
    return bench::startSim(sim, QStringLiteral(KESTRANE_SIM_BIN));
}

void waitFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QTemporaryDir home;
    const QProcessEnvironment env = bench::toolEnvironment(home);

    Process plainSim(env), trendsSim(env), plain(env), trends(env);
    const QString plainDevice = startSim(plainSim);
    const QString trendsDevice = startSim(trendsSim);
    if (plainDevice.isEmpty() || trendsDevice.isEmpty())
        qFatal("kestrane-sim did not start");
    plain.p.start(QStringLiteral(KESTRANE_BIN), {QStringLiteral("--port"), plainDevice});
    trends.p.start(QStringLiteral(KESTRANE_BIN), {QStringLiteral("--port"), trendsDevice, QStringLiteral("--trends")});
    QElapsedTimer t;
    t.start();
    while ((!plain.err.contains("-> 7") || !trends.err.contains("-> 7")) && t.elapsed() < 10000)
        waitFor(100);
    if (!plain.err.contains("-> 7") || !trends.err.contains("-> 7"))
        qFatal("the tools did not come online:\n%s\n%s", plain.err.constData(), trends.err.constData());
    // Past the after-connect request, the pages it brings and a first minute of trends.
    waitFor(3000);

    const qint64 plainBefore = cpuNs(plain.p.processId());
    const qint64 trendsBefore = cpuNs(trends.p.processId());
    QElapsedTimer wall;
    wall.start();
    QThread::sleep(static_cast<unsigned long>(seconds));
    const double elapsedNs = double(wall.nsecsElapsed());
    const double plainShare = (cpuNs(plain.p.processId()) - plainBefore) / elapsedNs * 100.0;
    const double trendsShare = (cpuNs(trends.p.processId()) - trendsBefore) / elapsedNs * 100.0;
    if (plain.err.contains("-> 3") || trends.err.contains("-> 3"))
        qFatal("a tool went offline:\n%s\n%s", plain.err.constData(), trends.err.constData());

    bench::report("trends idle: the tool, no trend window", plainShare, "% core", "-");
    bench::report("trends idle: the tool, trend window open", trendsShare, "% core", "-");
    bench::report("trends idle, with / without the window", trendsShare / plainShare, "x", "<= 1.5");
    return 0;
}
