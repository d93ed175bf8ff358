#pragma once
// `kestrane report FILE.pdf [--html] ...`: reads the controller's identity,
// status and blocks and writes the service report, without a window. The
// PDF writer and the trend plot need a QApplication: it is made on the
// offscreen platform unless QT_QPA_PLATFORM names another, so no display is
// needed.

namespace cli {
struct Context;
}

// main()'s entry for the command: makes the application, runs, returns the
// exit status.
int runReportCommand(int argc, char *argv[]);
// The command itself (the application must exist); registered with the
// command line by runReportCommand.
int reportCommand(cli::Context &context);
