#pragma once
#include <QString>
#include <QStringList>

struct CommandLineOptions
{
    QString port;                 // --port DEVICE: open at start-up
    QString settings = QStringLiteral("9600,n,8,1");
    bool demo = false;            // --demo: the built-in simulated controller
    int controllerType = 2;       // --type, for --demo
    bool selfCheck = false;       // --self-check: say where each file was found, then exit
    bool trends = false;          // --trends: open the trend window at start-up
    bool exitNow = false;         // --help / --version printed, or an error
    int exitCode = 0;
    QString message;              // what to print before exiting
};

CommandLineOptions parseCommandLine(const QStringList &arguments);
