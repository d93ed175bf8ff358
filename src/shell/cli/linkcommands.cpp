// The commands that talk to a controller: backup, restore, read, identify,
// detect. Each opens the line given by --port (or --demo), does its work
// through the parameter service, and closes it.

#include "shell/cli/cli.h"
#include "shell/cli/clisession.h"

#include "link/controllerfinder.h"
#include "link/qtportenumerator.h"
#include "pages/sets/setblocks.h"
#include "pages/sets/setcompare.h"
#include "pages/sets/setfile.h"
#include "shell/ports.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {
namespace {

void printJson(const QJsonObject &o, Context &ctx)
{
    ctx.out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
}

QJsonArray blockNames(const QList<FrameId> &families)
{
    QJsonArray a;
    for (FrameId f : families)
        a.append(findSetBlock(f)->name());
    return a;
}

// The parser of a command that needs a controller: the common options, the
// line options and `usage`. Returns -1 to go on, or the exit status.
struct LinkCommand
{
    QCommandLineParser parser;
    CommonOptions common;
    LinkOptionSet line;
    LinkOptions options;

    LinkCommand(Context &ctx, const char *description)
        : common(addCommonOptions(parser, ctx.languageCode)), line(addLinkOptions(parser, ctx.languageCode))
    {
        parser.setApplicationDescription(text(ctx.languageCode, description));
    }
    int parse(Context &ctx, const QString &usage)
    {
        if (const int status = parseArguments(parser, common, ctx, usage); status >= 0)
            return status;
        const QString wrong = readLinkOptions(parser, line, ctx.languageCode, options);
        if (!wrong.isEmpty() || !options.given()) {
            ctx.err << (wrong.isEmpty() ? text(ctx.languageCode, QT_TRANSLATE_NOOP("Cli", "Name the controller: "
                                                                                          "--port DEVICE or --demo."))
                                        : wrong)
                    << '\n'
                    << text(ctx.languageCode, QT_TRANSLATE_NOOP("Cli", "Usage: %1")).arg(usage) << '\n';
            return Usage;
        }
        return -1;
    }
    bool json() const { return parser.isSet(common.json); }
};

QString identityText(const ParameterSet &set, int code)
{
    const std::optional<SetIdentity> id = set.identity();
    if (!id)
        return text(code, QT_TRANSLATE_NOOP("Cli", "controller type %1, identity unknown")).arg(set.controllerType());
    return text(code, QT_TRANSLATE_NOOP("Cli", "controller type %1, project %2, serial number %3, week %4, %5"))
        .arg(set.controllerType())
        .arg(id->projectNumber)
        .arg(id->serialNumber)
        .arg(id->week)
        .arg(set.model);
}

QJsonObject identityJson(const ParameterSet &set)
{
    QJsonObject o{{"controllerType", set.controllerType()}, {"model", set.model}};
    if (const std::optional<SetIdentity> id = set.identity()) {
        o.insert("projectNumber", id->projectNumber);
        o.insert("serialNumber", id->serialNumber);
        o.insert("week", id->week);
        o.insert("year", id->year);
    }
    return o;
}
} // namespace

int runBackup(Context &ctx)
{
    const int code = ctx.languageCode;
    LinkCommand c(ctx, QT_TRANSLATE_NOOP("Cli", "Reads every parameter block of the controller (the Idc block "
                                                "first) and saves them to FILE. Exit status: 0 saved, 1 saved "
                                                "but blocks are missing, 2 usage, 3 no controller answered."));
    c.parser.addPositionalArgument(QStringLiteral("FILE"), text(code, QT_TRANSLATE_NOOP("Cli", "The file to write (.kparams).")));
    const QString usage = QStringLiteral("kestrane backup FILE (--port DEVICE [--settings S] | --demo [--type N])");
    if (const int status = c.parse(ctx, usage); status >= 0)
        return status;
    if (c.parser.positionalArguments().size() != 1) {
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "Usage: %1")).arg(usage) << '\n';
        return Usage;
    }
    const QString path = c.parser.positionalArguments().first();
    Session session(c.options, ctx);
    if (!session.open())
        return LinkFailure;
    const std::optional<BackupResult> r = backUp(session, ctx);
    if (!r)
        return LinkFailure;
    if (const SetFileError e = writeSetFile(path, r->set); !e.ok()) {
        ctx.err << e.message(code) << '\n';
        return Usage;
    }
    if (c.json()) {
        printJson({{"file", path}, {"partial", r->set.partial()}, {"missing", blockNames(r->missing)},
                   {"identity", identityJson(r->set)}},
                  ctx);
    } else {
        ctx.out << text(code, QT_TRANSLATE_NOOP("Cli", "Saved %1 blocks to %2: %3.")).arg(int(setBlocks().size()) - int(r->missing.size())).arg(path, identityText(r->set, code)) << '\n';
        for (FrameId f : r->missing)
            ctx.out << text(code, QT_TRANSLATE_NOOP("Cli", "Missing: %1 (no answer); the file is marked partial."))
                           .arg(findSetBlock(f)->title(code))
                    << '\n';
    }
    return r->missing.isEmpty() ? Done : Differences;
}

int runIdentify(Context &ctx)
{
    const int code = ctx.languageCode;
    LinkCommand c(ctx, QT_TRANSLATE_NOOP("Cli", "Reads the controller's Idc block and says who it is: type, "
                                                "project number, serial number, week, model."));
    const QString usage = QStringLiteral("kestrane identify (--port DEVICE [--settings S] | --demo [--type N])");
    if (const int status = c.parse(ctx, usage); status >= 0)
        return status;
    Session session(c.options, ctx);
    if (!session.open())
        return LinkFailure;
    std::optional<RequestQueue::Result> idc;
    session.service().read(FrameId::IdcCalib, [&](const RequestQueue::Result &r) { idc = r; });
    session.waitFor([&] { return idc.has_value(); }, 10000);
    if (!idc || !idc->ok()) {
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "No controller answered on %1 at %2."))
                       .arg(session.portName(), session.settings())
                << '\n';
        return LinkFailure;
    }
    ParameterSet set;
    set.setBlock(FrameId::IdcCalib, idc->reply);
    set.model = mcuModelTextFor(set);
    if (c.json())
        printJson(identityJson(set), ctx);
    else
        ctx.out << identityText(set, code) << '\n';
    return Done;
}

int runDetect(Context &ctx)
{
    const int code = ctx.languageCode;
    QCommandLineParser p;
    p.setApplicationDescription(text(code, QT_TRANSLATE_NOOP("Cli", "Looks for the controller on every USB "
                                                                    "adapter and serial port, at every rate and "
                                                                    "parity. Exit status: 0 found, 3 none answered.")));
    const CommonOptions common = addCommonOptions(p, code);
    const QCommandLineOption only(QStringLiteral("port"),
                                  text(code, QT_TRANSLATE_NOOP("Cli", "Try only this port (again for more).")),
                                  QStringLiteral("DEVICE"));
    p.addOption(only);
    const QString usage = QStringLiteral("kestrane detect [--port DEVICE ...] [--json]");
    if (const int status = parseArguments(p, common, ctx, usage); status >= 0)
        return status;
    QtPortEnumerator ports;
    const QStringList candidates = p.isSet(only) ? p.values(only) : ControllerFinder::portsToTry(ports.ports());
    ControllerFinder finder(portFactory(2, false));
    std::optional<ControllerFinder::Attempt> found;
    bool ended = false;
    QObject::connect(&finder, &ControllerFinder::trying, [&](const ControllerFinder::Attempt &a) {
        ctx.err << ControllerFinder::tryingText(code, a) << '\n';
        ctx.err.flush();
    });
    QObject::connect(&finder, &ControllerFinder::skipped, [&](const QString &port, SerialPort::OpenError e) {
        ctx.err << ControllerFinder::skippedText(code, port, e) << '\n';
    });
    QObject::connect(&finder, &ControllerFinder::found, [&](const ControllerFinder::Attempt &a) {
        found = a;
        ended = true;
    });
    QObject::connect(&finder, &ControllerFinder::notFound, [&] { ended = true; });
    finder.start(candidates, ControllerFinder::settingsToTry());
    while (!ended)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!found) {
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "No controller answered on any port or setting.")) << '\n';
        if (p.isSet(common.json))
            printJson({{"found", false}}, ctx);
        return LinkFailure;
    }
    if (p.isSet(common.json))
        printJson({{"found", true}, {"port", found->port}, {"settings", found->settings.toString()}}, ctx);
    else
        ctx.out << found->port << ' ' << found->settings.toString() << '\n';
    return Done;
}

} // namespace cli
