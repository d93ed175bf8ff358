#include "link/linkcontroller.h"
#include "link/qtportenumerator.h"
#include "link/qtserialport.h"
#include "core/appstate.h"
#include "shell/cli/cli.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"
#include "shell/ports.h"
#include "shell/report/reportcommand.h"
#include "shell/selfcheck.h"
#include "shell/startupwarmup.h"
#include "buildinfo/buildinfo.h"
#include "core/datafolder.h"
#include "widgets/cursorrest.h"
#include "widgets/lazyiconstyle.h"
#include "widgets/qtmessageservice.h"
#include "sim/model/simline.h"
#include "sim/simulatorport.h"

#include <QApplication>

#include <cstdio>

namespace {
int selfCheck(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrane"));
    const SelfCheckResult check = runSelfCheck(DataFolder::forThisProgram(), embeddedTranslationLoads());
    std::fputs(qPrintable(check.report), stdout);
    return check.ok ? 0 : 1;
}

// The window, as the tool starts without a command.
int runWindow(int argc, char *argv[], const CommandLineOptions &options)
{
    StartupWarmUp warmUp;
    QApplication app(argc, argv);
    warmUp.applicationMade();
    QApplication::setStyle(new LazyIconStyle);
    QApplication::setApplicationName(QStringLiteral("Kestrane"));
    QApplication::setApplicationVersion(QString::fromUtf8(buildinfo::versionString()));
    // Ties the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrane.Kestrane"));
    CursorRest cursorRest;

    AppState state;
    QtMessageService messages;
    QtPortEnumerator ports;
    LinkController link(state.connection, state.language, messages);
    link.setPortFactory(portFactory(options.controllerType));
    link.setPortEnumerator(&ports);

    MainWindow window(state, link, messages);
    messages.setParentWidget(&window);
    window.setExtraPorts({QString::fromLatin1(kSimulatorPortName)});
    window.show();

    if (options.demo)
        window.openPortAtStart(QString::fromLatin1(kSimulatorPortName), QStringLiteral("9600,n,8,1"));
    if (!options.port.isEmpty())
        window.openPortAtStart(options.port, options.settings);

    if (options.trends)
        window.Menu_Option_Trends_Click();

    const int result = app.exec();
    warmUp.finish();
    return result;
}
} // namespace

int main(int argc, char *argv[])
{
    // --help and --version work without a display: parse before the GUI starts.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // "kestrane diff ...": a command runs without a window.
    if (cli::namesCommand(arguments)) {
        // The report draws (a PDF, the trend picture): a GUI application on
        // the offscreen platform. Every other command stays on Qt Core.
        if (arguments[1] == QLatin1String("report"))
            return runReportCommand(argc, argv);
        return cli::runCommand(argc, argv);
    }
    const CommandLineOptions options = parseCommandLine(arguments);
    if (options.exitNow) {
        std::fputs(qPrintable(options.message), options.exitCode ? stderr : stdout);
        return options.exitCode;
    }
    // The application name names the per-user data folder: set it first.
    if (options.selfCheck)
        return selfCheck(argc, argv);
    return runWindow(argc, argv, options);
}
