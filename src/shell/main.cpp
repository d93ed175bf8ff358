#include "link/linkcontroller.h"
#include "link/ui/qtportenumerator.h"
#include "link/ui/qtserialport.h"
#include "core/appstate.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"
#include "shell/selfcheck.h"
#include "shell/startupwarmup.h"
#include "buildinfo/buildinfo.h"
#include "core/datafolder.h"
#include "widgets/lazyiconstyle.h"
#include "widgets/qtmessageservice.h"
#include "sim/model/simline.h"
#include "sim/simulatorport.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // --help and --version work without a display: parse before the GUI starts.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineOptions options = parseCommandLine(arguments);
    if (options.exitNow) {
        std::fputs(qPrintable(options.message), options.exitCode ? stderr : stdout);
        return options.exitCode;
    }

    // The application name names the per-user data folder: set it first.
    if (options.selfCheck) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Kestrane"));
        const SelfCheckResult check = runSelfCheck(DataFolder::forThisProgram(), embeddedTranslationLoads());
        std::fputs(qPrintable(check.report), stdout);
        return check.ok ? 0 : 1;
    }

    StartupWarmUp warmUp;
    QApplication app(argc, argv);
    warmUp.applicationMade();
    QApplication::setStyle(new LazyIconStyle);
    QApplication::setApplicationName(QStringLiteral("Kestrane"));
    QApplication::setApplicationVersion(QString::fromUtf8(buildinfo::versionString()));
    // Ties the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrane.Kestrane"));

    // "Simulator" is the built-in controller. It is made on first use and
    // lives as long as the program, so what is written to it survives
    // closing and reopening the port.
    std::shared_ptr<sim::SimLine> simulator;
    auto simulatorLine = [&simulator, type = options.controllerType] {
        if (!simulator) {
            sim::SimOptions simOptions;
            simOptions.controllerType = type;
            simOptions.faultEverySeconds = 120;
            simulator = std::make_shared<sim::SimLine>(simOptions);
            simulator->model().vehicle().setDriveCycle(true);
        }
        return simulator;
    };

    AppState state;
    QtMessageService messages;
    QtPortEnumerator ports;
    LinkController link(state.connection, state.frames, state.language, messages);
    link.setPortFactory([simulatorLine](const QString &name) -> std::unique_ptr<SerialPort> {
        if (name == QLatin1String(kSimulatorPortName))
            return std::make_unique<SimulatorPort>(simulatorLine());
        return std::make_unique<QtSerialPort>();
    });
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
