// Online: the tool connected to a controller on a pseudo-terminal, no page
// open, against a minimal windowed Qt poller (bench_windowed_poller) that
// polls at the tool's own poll rate and shows the same readings. Both run
// at the same time, so a load on the machine weighs on both alike; the
// figure is the processor time each used over the same interval, in rounds,
// and the median of the rounds.
//   build/bin/bench_online idle SECONDS   each on a kestrane-sim of its own
//   build/bin/bench_online live SECONDS   each on a line that streams a ride
//                                         at 360 blocks a second (115200 baud)
// With KESTRANE_BENCH_BEFORE=PATH another build of the tool runs beside them
// on a line of its own, for before-and-after figures from one run.

#include "../benchprocess.h"
#include "../benchstreams.h"

#include "core/appstate.h"
#include "link/commandtable.h"
#include "link/linksupervisor.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <vector>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kRounds = 5;
constexpr int kLiveBlocksPerSecond = 360;

// Nanoseconds on a processor so far, all threads of `pid` together. The
// scheduler's own count where the kernel keeps it, else clock ticks.
qint64 cpuNs(qint64 pid)
{
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    qint64 sum = 0;
    bool any = false;
    const QStringList tasks = QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &task : tasks) {
        QFile f(proc + QStringLiteral("/task/") + task + QStringLiteral("/schedstat"));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        sum += f.readAll().split(' ').value(0).toLongLong();
        any = true;
    }
    if (any)
        return sum;
    QFile f(proc + QStringLiteral("/stat"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    const qint64 ticks = fields.value(11).toLongLong() + fields.value(12).toLongLong();
    return ticks * 1000000000LL / ::sysconf(_SC_CLK_TCK);
}

using bench::Process;

QString startSim(Process &sim)
{
    return bench::startSim(sim, QStringLiteral(KESTRANE_SIM_BIN));
}

// A line that streams status blocks at a fixed rate, whatever is asked: a
// pty whose far end this driver writes. What the reader writes is read and
// dropped.
struct StreamLine
{
    int master = -1;
    int slave = -1; // held open so the line stays up between readers
    QString device;

    bool open()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return false;
        device = QString::fromLocal8Bit(::ptsname(master));
        slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
        if (slave < 0)
            return false;
        termios t{};
        ::tcgetattr(slave, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave, TCSANOW, &t);
        return true;
    }
    ~StreamLine()
    {
        if (slave >= 0)
            ::close(slave);
        if (master >= 0)
            ::close(master);
    }
    void write(const char *data, int size)
    {
        char drop[256];
        while (::read(master, drop, sizeof drop) > 0) {
        }
        (void)!::write(master, data, size_t(size));
    }
};

void runFor(int ms, const std::function<void()> &poll = {})
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (poll)
            poll();
        else
            ::usleep(20000);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool live = argc > 1 && qstrcmp(argv[1], "live") == 0;
    const int seconds = argc > 2 ? std::max(kRounds, atoi(argv[2])) : 10;
    const QString before = qEnvironmentVariable("KESTRANE_BENCH_BEFORE");

    QTemporaryDir home;
    const QProcessEnvironment env = bench::toolEnvironment(home);

    // The poller polls as often as the tool does by default.
    ConnectionState connection;
    const int pollMs = 1000 / LinkSupervisor(connection).pollsPerSecond();

    struct Runner
    {
        const char *what;
        QString program;
        bool isTool;
        int tickMs = 0; // the poller's idle timer, as the tool's link tick
    };
    std::vector<Runner> runners{{"windowed poller", QStringLiteral(KESTRANE_POLLER_BIN), false},
                                {"the tool", QStringLiteral(KESTRANE_BIN), true}};
    if (!before.isEmpty())
        runners.push_back({"the tool before", before, true});
    // Idle, the floor a 100 ms tick sets: the poller with an empty timer
    // at the tool's link tick.
    if (!live)
        runners.push_back({"windowed poller + empty 100 ms tick", QStringLiteral(KESTRANE_POLLER_BIN), false, 100});

    std::vector<std::unique_ptr<Process>> sims, procs;
    std::vector<std::unique_ptr<StreamLine>> lines;
    for (const Runner &r : runners) {
        QString device;
        if (live) {
            lines.push_back(std::make_unique<StreamLine>());
            if (!lines.back()->open())
                qFatal("no pseudo-terminal: %s", strerror(errno));
            device = lines.back()->device;
        } else {
            sims.push_back(std::make_unique<Process>(env));
            device = startSim(*sims.back());
            if (device.isEmpty())
                qFatal("kestrane-sim did not start");
        }
        procs.push_back(std::make_unique<Process>(env));
        if (r.isTool)
            procs.back()->p.start(r.program, {QStringLiteral("--port"), device});
        else {
            QStringList args{device, QString::fromLatin1(requestFrames().statusPollRequest.toHex()),
                             QString::number(pollMs)};
            if (r.tickMs > 0)
                args << QString::number(r.tickMs);
            procs.back()->p.start(r.program, args);
        }
    }

    // The ride, one block on each line every 1/360 s, for as long as the
    // driver runs its loop.
    const QByteArray ride = bench::rideStream(kLiveBlocksPerSecond * 20);
    QElapsedTimer feedClock;
    feedClock.start();
    qint64 fed = 0;
    auto feed = [&] {
        if (!live)
            return;
        const qint64 due = feedClock.nsecsElapsed() * kLiveBlocksPerSecond / 1000000000LL;
        for (; fed < due; ++fed) {
            const char *block = ride.constData() + (fed % (ride.size() / kBlockSize)) * kBlockSize;
            for (auto &l : lines)
                l->write(block, kBlockSize);
        }
        ::usleep(1000);
    };
    auto online = [&] {
        for (std::size_t i = 0; i < runners.size(); ++i)
            if (runners[i].isTool && !procs[i]->err.contains("-> 7"))
                return false;
        return true;
    };
    QElapsedTimer t;
    t.start();
    while (!online() && t.elapsed() < 15000)
        runFor(100, live ? std::function<void()>(feed) : std::function<void()>());
    if (!online())
        qFatal("the tool did not come online:\n%s", procs[1]->err.constData());
    // Past the after-connect requests and the pages they bring; idle, also
    // past the ten seconds after which a cursor nobody types at rests.
    runFor(live ? 3000 : 11000, live ? std::function<void()>(feed) : std::function<void()>());

    std::vector<QList<double>> shares(runners.size());
    for (int round = 0; round < kRounds; ++round) {
        std::vector<qint64> startNs;
        for (auto &p : procs)
            startNs.push_back(cpuNs(p->p.processId()));
        QElapsedTimer wall;
        wall.start();
        runFor(seconds * 1000 / kRounds, live ? std::function<void()>(feed) : std::function<void()>());
        const double elapsedNs = double(wall.nsecsElapsed());
        for (std::size_t i = 0; i < procs.size(); ++i) {
            if (procs[i]->p.state() != QProcess::Running)
                qFatal("%s stopped:\n%s", runners[i].what, procs[i]->err.constData());
            shares[i] << (cpuNs(procs[i]->p.processId()) - startNs[i]) / elapsedNs * 100.0;
        }
    }
    for (std::size_t i = 1; i < runners.size(); ++i)
        if (procs[i]->err.contains("-> 3"))
            qFatal("%s did not stay online:\n%s", runners[i].what, procs[i]->err.constData());

    const QByteArray head = live ? "live 360 blk/s" : "idle online";
    for (std::size_t i = 0; i < runners.size(); ++i)
        bench::report((head + ": " + runners[i].what).constData(), bench::median(shares[i]), "% core", "-");
    auto ratio = [&](std::size_t a, std::size_t b, const QByteArray &label, const char *goal) {
        QList<double> ratios;
        for (int r = 0; r < kRounds; ++r)
            ratios << shares[a][r] / shares[b][r];
        bench::report((head + ", " + label).constData(), bench::median(ratios), "x", goal);
    };
    for (std::size_t i = 1; i < runners.size(); ++i)
        if (runners[i].isTool)
            ratio(i, 0, (i == 1 ? "tool" : "tool before") + QByteArray(" / windowed poller"), "<= 1.5");
    for (std::size_t i = 1; i < runners.size(); ++i)
        if (runners[i].tickMs > 0) {
            ratio(i, 0, "poller + empty tick / poller", "-");
            ratio(1, i, "tool / poller + empty tick", "-");
        }
    return 0;
}
