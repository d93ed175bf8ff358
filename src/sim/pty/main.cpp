// kestrane-sim: the simulated motor controller on a pseudo-terminal pair.
// Prints the device to open as its first line, then serves until "quit",
// end of input or a signal.

#include "buildinfo/buildinfo.h"
#include "ptyendpoint.h"
#include "simcommands.h"
#include "simline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    (void)!::write(signalPipe[1], &c, 1);
}

void say(FILE *to, const QString &text)
{
    if (text.isEmpty())
        return;
    std::fputs(qPrintable(text), to);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', to);
    std::fflush(to);
}

struct Options
{
    sim::SimOptions sim;
    QString link;
    bool debug = false;
    bool readStdin = true;
    QStringList startCommands; // fault and bench options, run as commands
};

// nullopt: exit with the message already printed and `exitCode`.
std::optional<Options> parse(const QStringList &arguments, int *exitCode)
{
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Simulated motor controller for Kestrane on a pseudo-terminal pair.\n"
                       "Prints the device to open (for example kestrane --port /dev/pts/3) as the\n"
                       "first line, then serves until \"quit\", end of input or a signal.\n\n"
                       "Commands on standard input, one per line:\n")
        + sim::commandHelp());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption type(QStringLiteral("type"),
                                  QStringLiteral("Controller type reported in the Idc block: 1, 2 or 3 "
                                                 "(default 2)."),
                                  QStringLiteral("N"), QStringLiteral("2"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of every random choice (default 1)."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Also make a symlink to the device at PATH."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption debug({QStringLiteral("d"), QStringLiteral("debug")},
                                   QStringLiteral("Log every request and reply on standard error."));
    const QCommandLineOption noStdin(QStringLiteral("no-stdin"),
                                     QStringLiteral("Ignore standard input; serve until a signal."));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Answer MS milliseconds late."), QStringLiteral("MS"));
    const QCommandLineOption drop(QStringLiteral("drop"),
                                  QStringLiteral("Leave out this fraction (0..1) of replies."),
                                  QStringLiteral("FRACTION"));
    const QCommandLineOption split(QStringLiteral("split"),
                                   QStringLiteral("Send each reply in 2 to 4 chunks."));
    const QCommandLineOption throttle(QStringLiteral("throttle"),
                                      QStringLiteral("Start with the throttle at PERCENT."),
                                      QStringLiteral("PERCENT"));
    const QCommandLineOption cycle(QStringLiteral("cycle"),
                                   QStringLiteral("Ride a repeating 60 s throttle cycle."));
    const QCommandLineOption faults(QStringLiteral("faults-every"),
                                    QStringLiteral("Mean seconds between spontaneous drive faults; 0 "
                                                   "for none (default 120)."),
                                    QStringLiteral("SECONDS"), QStringLiteral("120"));
    const QCommandLineOption pace(QStringLiteral("pace"),
                                  QStringLiteral("Bytes take their time on the line at its settings: "
                                                 "requests arrive and replies leave no faster."));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Answer only at N baud; at another rate requests are "
                                                 "not understood and garbage comes back (default: any)."),
                                  QStringLiteral("N"));
    const QCommandLineOption parity(QStringLiteral("parity"),
                                    QStringLiteral("Answer only at parity n, o or e (default: any)."),
                                    QStringLiteral("n|o|e"));
    const QCommandLineOption dataBits(QStringLiteral("data-bits"),
                                      QStringLiteral("Answer only at 5 to 8 data bits (default: any)."),
                                      QStringLiteral("N"));
    const QCommandLineOption stopBits(QStringLiteral("stop-bits"),
                                      QStringLiteral("Answer only at 1, 1.5 or 2 stop bits (default: any)."),
                                      QStringLiteral("N"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    p.addOptions({help, version, type, seed, link, debug, noStdin, delay, drop, split, throttle, cycle, faults,
                  pace, baud, parity, dataBits, stopBits});

    auto fail = [&](const QString &text) {
        std::fprintf(stderr, "kestrane-sim: %s\n", qPrintable(text));
        *exitCode = 2;
        return std::nullopt;
    };
    if (!p.parse(arguments))
        return fail(p.errorText());
    if (p.isSet(help)) {
        std::fputs(qPrintable(p.helpText().replace(QStringLiteral("<executable_name>"),
                                                   QStringLiteral("kestrane-sim"))),
                   stdout);
        *exitCode = 0;
        return std::nullopt;
    }
    if (p.isSet(version)) {
        std::printf("kestrane-sim %s\n", buildinfo::versionString());
        *exitCode = 0;
        return std::nullopt;
    }
    if (!p.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument %1").arg(p.positionalArguments().first()));

    Options o;
    bool ok = false;
    o.sim.controllerType = p.value(type).toInt(&ok);
    if (!ok || o.sim.controllerType < 1 || o.sim.controllerType > 3)
        return fail(QStringLiteral("--type must be 1, 2 or 3"));
    o.sim.seed = p.value(seed).toULongLong(&ok);
    if (!ok)
        return fail(QStringLiteral("--seed must be a whole number"));
    o.sim.faultEverySeconds = p.value(faults).toInt(&ok);
    if (!ok || o.sim.faultEverySeconds < 0)
        return fail(QStringLiteral("--faults-every must be a number of seconds, 0 or more"));
    o.sim.pace = p.isSet(pace);
    // Each field on its own, the others left open.
    const struct
    {
        const QCommandLineOption &option;
        const char *rule;
    } fields[] = {{baud, "--baud must be a rate from 50 to 4000000"},
                  {parity, "--parity must be n, o or e"},
                  {dataBits, "--data-bits must be 5, 6, 7 or 8"},
                  {stopBits, "--stop-bits must be 1, 1.5 or 2"}};
    QStringList lineFields;
    for (const auto &f : fields) {
        QStringList alone(4, QStringLiteral("*"));
        alone[lineFields.size()] = p.value(f.option);
        if (p.isSet(f.option) && !sim::LineSettings::parse(alone.join(QLatin1Char(','))))
            return fail(QLatin1String(f.rule));
        lineFields << (p.isSet(f.option) ? p.value(f.option) : QStringLiteral("*"));
    }
    o.sim.line = *sim::LineSettings::parse(lineFields.join(QLatin1Char(',')));
    o.link = p.value(link);
    o.debug = p.isSet(debug);
    o.readStdin = !p.isSet(noStdin);
    if (p.isSet(delay))
        o.startCommands << QStringLiteral("delay ") + p.value(delay);
    if (p.isSet(drop))
        o.startCommands << QStringLiteral("drop ") + p.value(drop);
    if (p.isSet(split))
        o.startCommands << QStringLiteral("split on");
    if (p.isSet(throttle))
        o.startCommands << QStringLiteral("throttle ") + p.value(throttle);
    if (p.isSet(cycle))
        o.startCommands << QStringLiteral("cycle on");
    return o;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrane-sim"));
    int exitCode = 0;
    const std::optional<Options> options = parse(app.arguments(), &exitCode);
    if (!options)
        return exitCode;

    sim::SimLine line(options->sim);
    if (options->debug) {
        line.model().setLogger([&line](const QString &text) {
            std::fprintf(stderr, "kestrane-sim %9.3f %s\n", line.nowMs() / 1000.0, qPrintable(text));
            std::fflush(stderr);
        });
    }
    for (const QString &command : options->startCommands) {
        const sim::CommandResult r = line.command(command);
        if (!r.ok) {
            std::fprintf(stderr, "kestrane-sim: %s\n", qPrintable(r.text));
            return 2;
        }
    }

    sim::PtyEndpoint pty(line);
    QObject::connect(&pty, &sim::PtyEndpoint::log, [](const QString &text) {
        say(stderr, QStringLiteral("kestrane-sim: ") + text);
    });
    QString error;
    if (!pty.open(&error)) {
        say(stderr, QStringLiteral("kestrane-sim: ") + error);
        return 1;
    }
    if (!options->link.isEmpty() && !pty.makeLink(options->link, &error)) {
        say(stderr, QStringLiteral("kestrane-sim: ") + error);
        return 1;
    }
    // The first line is the device: scripts and tests read it.
    say(stdout, pty.devicePath());
    say(stderr, QStringLiteral("kestrane-sim: controller type %1, seed %2 on %3%4, answering at %5%6; "
                               "type \"help\" for commands")
                    .arg(options->sim.controllerType)
                    .arg(options->sim.seed)
                    .arg(pty.devicePath(),
                         options->link.isEmpty() ? QString() : QStringLiteral(" (") + options->link + QLatin1Char(')'),
                         options->sim.line.anyField() ? options->sim.line.toString() : QStringLiteral("any settings"),
                         options->sim.pace ? QStringLiteral(", paced") : QString()));

    // Signals end the run like "quit", so the link is removed.
    if (::pipe(signalPipe) == 0) {
        ::fcntl(signalPipe[0], F_SETFD, FD_CLOEXEC);
        ::fcntl(signalPipe[1], F_SETFD, FD_CLOEXEC);
        struct sigaction sa = {};
        sa.sa_handler = onSignal;
        ::sigemptyset(&sa.sa_mask);
        for (int s : {SIGINT, SIGTERM, SIGHUP})
            ::sigaction(s, &sa, nullptr);
        auto *signalNotifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(signalNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    }
    ::signal(SIGPIPE, SIG_IGN);

    QByteArray typed;
    if (options->readStdin) {
        auto *input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
        QObject::connect(input, &QSocketNotifier::activated, &app, [&line, &typed, input] {
            char buf[1024];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n <= 0) {
                input->setEnabled(false);
                QCoreApplication::quit();
                return;
            }
            typed.append(buf, int(n));
            qsizetype end;
            while ((end = typed.indexOf('\n')) >= 0) {
                const QString command = QString::fromLocal8Bit(typed.left(end)).trimmed();
                typed.remove(0, end + 1);
                const sim::CommandResult r = line.command(command);
                say(r.ok ? stdout : stderr, r.ok ? r.text : QStringLiteral("kestrane-sim: ") + r.text);
                if (r.quit) {
                    QCoreApplication::quit();
                    return;
                }
            }
        });
    }

    const int rc = app.exec();
    pty.close();
    return rc;
}
