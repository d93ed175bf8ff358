#include "link/linkcontroller.h"
#include "link/qtserialport.h"
#include "shell/appstate.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"
#include "shell/qtmessageservice.h"

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

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrane"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRANE_VERSION));

    AppState state;
    QtMessageService messages;
    LinkController link(state, messages);
    link.setPortFactory([](const QString &) { return std::make_unique<QtSerialPort>(); });

    MainWindow window(state, link, messages);
    messages.setParentWidget(&window);
    window.show();

    if (!options.port.isEmpty())
        window.openPortAtStart(options.port, options.settings);

    return app.exec();
}
