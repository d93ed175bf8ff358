#pragma once
// The bench commands, one per line ("silence 5", "throttle 30"), as typed on
// the simulator's standard input.

#include <QString>

namespace sim {

class ControllerModel;

struct CommandResult
{
    bool ok = true;
    bool quit = false;
    QString text; // what to tell the user (may be empty)
};

// Applies one command line at `nowMs`. Whatever was due before `nowMs` should
// have been taken from the model first.
CommandResult runCommand(ControllerModel &model, const QString &line, qint64 nowMs);

// One line per command, for --help and "help".
QString commandHelp();

} // namespace sim
