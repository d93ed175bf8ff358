// Start-up to first paint: the tool's main window, built exactly as the tool
// builds it (its own main(), no port), against a bare Qt Widgets window.
// Each is started as a fresh process, in turns, several times; the figure is
// the median from the moment the process is started to the moment its first
// frame is painted: on the X display when DISPLAY is set and no other Qt
// platform is asked for (a window that maps, as a user sees it; run it under
// xvfb-run on a machine without one), offscreen otherwise. Offscreen, the
// bare window costs next to nothing, so the ratio is much higher there.
// Prints one row per program and the ratio. With KESTRANE_BENCH_BEFORE=PATH
// (a bench_startup_tool of another build) that build takes its turns too.
//   build/bin/bench_startup [-v] [runs]     (-v: where the time goes)

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

// Milliseconds from the start of the process to the program loaded, to the
// application object, to the first window shown and to its first paint;
// negative on failure.
struct Phases
{
    double loaded = -1;
    double app = -1;
    double shown = -1;
    double painted = -1;
};

Phases startOnce(const QString &program, const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 started = monotonicNs();
    p.start(program, {});
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    // "first-paint <ns> app <ns> shown <ns> loaded <ns>"
    const QByteArray out = p.readAllStandardOutput();
    const QList<QByteArray> words = out.mid(out.indexOf("first-paint ")).trimmed().split(' ');
    if (words.size() < 8 || words[0] != "first-paint")
        return {};
    auto ms = [started](const QByteArray &ns) { return (ns.toLongLong() - started) / 1e6; };
    return {ms(words[7]), ms(words[3]), ms(words[5]), ms(words[1])};
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
    QStringList args = app.arguments().mid(1);
    const bool verbose = args.removeAll(QStringLiteral("-v")) > 0;
    const int runs = args.isEmpty() ? 15 : std::max(1, args.first().toInt());

    // A home of its own: nothing the tool finds or writes at start-up
    // depends on the user who runs the benchmark.
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // On a display when there is one (a window that maps, as a user sees
    // it), offscreen otherwise.
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY")
                         && qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("xcb")) == u"xcb";
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), display ? QStringLiteral("xcb") : QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.remove(QStringLiteral("QT_LOGGING_RULES"));

    const QString bare = QStringLiteral(KESTRANE_BARE_WINDOW_BIN);
    const QString tool = QStringLiteral(KESTRANE_TOOL_WINDOW_BIN);
    const QString before = qEnvironmentVariable("KESTRANE_BENCH_BEFORE");
    // The first starts fill the page cache; they are not counted.
    for (int i = 0; i < 2; ++i) {
        startOnce(bare, env);
        startOnce(tool, env);
    }
    std::vector<Phases> bareRuns, toolRuns, beforeRuns;
    for (int i = 0; i < runs; ++i) {
        // In turns, so that a load that comes and goes weighs on all alike.
        const Phases b = startOnce(bare, env);
        const Phases t = startOnce(tool, env);
        if (b.painted < 0 || t.painted < 0)
            qFatal("a program under measurement did not paint (bare %.1f, tool %.1f)", b.painted, t.painted);
        bareRuns.push_back(b);
        toolRuns.push_back(t);
        if (!before.isEmpty()) {
            const Phases o = startOnce(before, env);
            if (o.painted < 0)
                qFatal("the build before did not paint");
            beforeRuns.push_back(o);
        }
    }
    auto medianOf = [](const std::vector<Phases> &runs, double Phases::*phase) {
        std::vector<double> v;
        for (const Phases &p : runs)
            v.push_back(p.*phase);
        return median(v);
    };
    const double b = medianOf(bareRuns, &Phases::painted);
    const double t = medianOf(toolRuns, &Phases::painted);
    if (verbose) {
        // Where the time goes: loading and linking the program, then until
        // the application object, building until the window is shown, then
        // the first frame.
        for (const auto &[name, phase] : {std::pair{"program loaded", &Phases::loaded},
                                          std::pair{"application object", &Phases::app},
                                          std::pair{"window shown", &Phases::shown}}) {
            bench::report(QByteArray("  bare window: ").append(name).constData(), medianOf(bareRuns, phase), "ms", "-");
            bench::report(QByteArray("  main window: ").append(name).constData(), medianOf(toolRuns, phase), "ms", "-");
        }
    }
    const bool bus = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray where = display ? (bus ? " (X, session bus)" : " (X)") : " (offscreen)";
    bench::report(("first paint, bare window" + where).constData(), b, "ms", "-");
    bench::report(("first paint, main window" + where).constData(), t, "ms", "-");
    bench::report(("start-up, main / bare" + where).constData(), t / b, "x", "<= 1.2");
    if (!beforeRuns.empty()) {
        const double o = medianOf(beforeRuns, &Phases::painted);
        bench::report(("first paint, main window before" + where).constData(), o, "ms", "-");
        bench::report(("start-up, before / bare" + where).constData(), o / b, "x", "<= 1.2");
    }
    return 0;
}
