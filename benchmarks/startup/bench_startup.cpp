// Start-up to first paint: the tool's main window, built exactly as the tool
// builds it (its own main(), no port), against a bare Qt Widgets window.
// Each is started as a fresh process, in turns, several times; the figure is
// the median from the moment the process is started to the moment its first
// frame is painted (offscreen). Prints one row per program and the ratio.
//   build/bin/bench_startup [runs]

#include "../benchstreams.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Milliseconds from start to first paint, or a negative number on failure.
double startOnce(const QString &program, const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 started = monotonicNs();
    p.start(program, {});
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    const QByteArray out = p.readAllStandardOutput();
    const qsizetype at = out.indexOf("first-paint ");
    if (at < 0)
        return -1;
    const qint64 painted = out.mid(at + 12).trimmed().toLongLong();
    return (painted - started) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    // A home of its own: nothing the tool finds or writes at start-up
    // depends on the user who runs the benchmark.
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.remove(QStringLiteral("QT_LOGGING_RULES"));

    const QString bare = QStringLiteral(KESTRANE_BARE_WINDOW_BIN);
    const QString tool = QStringLiteral(KESTRANE_TOOL_WINDOW_BIN);
    // The first starts fill the page cache; they are not counted.
    for (int i = 0; i < 2; ++i) {
        startOnce(bare, env);
        startOnce(tool, env);
    }
    std::vector<double> bareMs, toolMs;
    for (int i = 0; i < runs; ++i) {
        // In turns, so that a load that comes and goes weighs on both alike.
        const double b = startOnce(bare, env);
        const double t = startOnce(tool, env);
        if (b < 0 || t < 0)
            qFatal("a program under measurement did not paint (bare %.1f, tool %.1f)", b, t);
        bareMs.push_back(b);
        toolMs.push_back(t);
    }
    const double b = median(bareMs);
    const double t = median(toolMs);
    bench::report("start-up to first paint, bare Qt window", b, "ms", "-");
    bench::report("start-up to first paint, main window", t, "ms", "-");
    bench::report("start-up, main window / bare window", t / b, "x", "<= 1.2");
    return 0;
}
