#include "shell/commandline.h"

#include "buildinfo/buildinfo.h"
#include "link/portsettings.h"

#include <QCommandLineParser>
#include <QFileInfo>

CommandLineOptions parseCommandLine(const QStringList &arguments)
{
    CommandLineOptions o;
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Kestrane: service tool for the motor controller of an electric vehicle."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Open DEVICE at start-up (for example /dev/ttyUSB0 or COM3) and start "
                       "polling, as a confirmed port dialog would."),
        QStringLiteral("DEVICE"));
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QStringLiteral("Line settings for --port: baud,parity(n/o/e),data bits(7/8),stop "
                       "bits(1/1.5/2). Default: 9600,n,8,1."),
        QStringLiteral("SETTINGS"), QStringLiteral("9600,n,8,1"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Start against the built-in simulated controller instead of a serial port."));
    const QCommandLineOption type(QStringLiteral("type"),
                                  QStringLiteral("Controller type of the simulated controller "
                                                 "(1, 2 or 3; default 2). Only with --demo."),
                                  QStringLiteral("TYPE"), QStringLiteral("2"));
    const QCommandLineOption selfCheck(
        QStringLiteral("self-check"),
        QStringLiteral("Print where the sound and data files were found and where the log is "
                       "written, then exit (no display needed)."));
    const QCommandLineOption trends(QStringLiteral("trends"),
                                    QStringLiteral("Open the trend window at start-up."));
    p.addOptions({help, version, port, settings, demo, type, selfCheck, trends});
    // The help names the program as it was started (the parser knows it only
    // from an application object, which may not exist yet).
    const QString program =
        arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
    const auto usage = [&p, &program] {
        QString text = p.helpText();
        const QString head = QStringLiteral("Usage: ");
        const qsizetype from = text.indexOf(head);
        const qsizetype to = from < 0 ? -1 : text.indexOf(u' ', from + head.size());
        if (to > 0)
            text.replace(from + head.size(), to - from - head.size(),
                         program.isEmpty() ? QStringLiteral("kestrane") : program);
        return text;
    };

    if (!p.parse(arguments)) {
        o.exitNow = true;
        o.exitCode = 2;
        o.message = p.errorText() + QStringLiteral("\n\n") + usage();
        return o;
    }
    if (p.isSet(help)) {
        o.exitNow = true;
        o.message = usage();
        return o;
    }
    if (p.isSet(version)) {
        o.exitNow = true;
        o.message = QStringLiteral("kestrane %1\n").arg(QString::fromUtf8(buildinfo::versionString()));
        return o;
    }
    if (p.isSet(selfCheck)) {
        // Runs before the window exists; any other option would be ignored.
        o.selfCheck = true;
        return o;
    }
    if (!p.positionalArguments().isEmpty()) {
        o.exitNow = true;
        o.exitCode = 2;
        o.message = QStringLiteral("unexpected argument: %1\n\n%2")
                        .arg(p.positionalArguments().first(), usage());
        return o;
    }
    o.port = p.value(port);
    o.settings = p.value(settings);
    if (!PortSettings::parse(o.settings)) {
        o.exitNow = true;
        o.exitCode = 2;
        o.message = QStringLiteral("invalid --settings \"%1\": expected for example 9600,n,8,1\n")
                        .arg(o.settings);
        return o;
    }
    o.demo = p.isSet(demo);
    o.trends = p.isSet(trends);
    bool ok = false;
    o.controllerType = p.value(type).toInt(&ok);
    if (!ok || o.controllerType < 1 || o.controllerType > 3) {
        o.exitNow = true;
        o.exitCode = 2;
        o.message = QStringLiteral("invalid --type \"%1\": expected 1, 2 or 3\n").arg(p.value(type));
        return o;
    }
    if (o.demo && !o.port.isEmpty()) {
        o.exitNow = true;
        o.exitCode = 2;
        o.message = QStringLiteral("--demo and --port exclude each other\n");
    }
    return o;
}
