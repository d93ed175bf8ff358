#pragma once
// `kestrane COMMAND ...`: the tool without a window, under QCoreApplication.
// Every command has --help, prints for a person on standard output (or JSON
// with --json), its progress on standard error, and ends with one of the
// exit statuses below.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <span>

namespace cli {

enum Exit : int {
    Done = 0,        // done, or the sets are equal
    Differences = 1, // differences, or a check failed (a refused file, a failed verification)
    Usage = 2,       // the command line is wrong, or names a file that cannot be read
    LinkFailure = 3, // no controller answered, or the link failed
};

struct Context
{
    QStringList arguments; // after the command's name
    QTextStream &out;      // the result
    QTextStream &err;      // progress and errors
    int languageCode;
};

struct Command
{
    const char *name;
    const char *summary; // English, context "Cli"
    int (*run)(Context &context);
};

// Every command, in the order the help lists them.
std::span<const Command> commands();

// The arguments name a command: a first word that is no option.
bool namesCommand(const QStringList &arguments);
// Runs the command the arguments name (arguments[0] is the program). The
// application object must exist.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);
// main()'s entry: makes the QCoreApplication, runs, returns the exit status.
int runCommand(int argc, char *argv[]);

// A text of the command line in the language (context "Cli").
QString text(int languageCode, const char *source);

// What every command's parser shares: --help, --json and --language.
struct CommonOptions
{
    QCommandLineOption help;
    QCommandLineOption json;
    QCommandLineOption language;
};
CommonOptions addCommonOptions(QCommandLineParser &parser, int languageCode);
// Parses the command's arguments. Returns an exit status when the command is
// over already (--help printed, or a usage error said), or -1 to go on.
int parseArguments(QCommandLineParser &parser, const CommonOptions &common, Context &context,
                   const QString &usage);

// The line to a controller, for the commands that need one: --port DEVICE
// [--settings S] or --demo [--type N].
struct LinkOptions
{
    QString port;
    QString settings = QStringLiteral("9600,n,8,1");
    bool demo = false;
    int controllerType = 2;
    bool given() const { return demo || !port.isEmpty(); }
};
struct LinkOptionSet
{
    QCommandLineOption port;
    QCommandLineOption settings;
    QCommandLineOption demo;
    QCommandLineOption type;
};
LinkOptionSet addLinkOptions(QCommandLineParser &parser, int languageCode);
// Fills `out`; returns what is wrong with the options, or an empty text.
QString readLinkOptions(const QCommandLineParser &parser, const LinkOptionSet &set, int languageCode,
                        LinkOptions &out);

// A text for the terminal: control characters (a user name read from a
// controller may hold any byte) are shown by their code, never sent as the
// terminal's commands.
QString printable(const QString &text);

// The commands.
int runDiff(Context &context);
int runBackup(Context &context);
int runRestore(Context &context);
int runRead(Context &context);
int runIdentify(Context &context);
int runDetect(Context &context);
int runMonitor(Context &context);
// The service report needs the windowed part of the tool (its PDF writer and
// the trend plot): the program registers it before running a command; without
// it, `report` says it cannot run.
int runReport(Context &context);
void setReportCommand(int (*run)(Context &context));

} // namespace cli
