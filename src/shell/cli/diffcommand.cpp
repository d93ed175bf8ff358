// kestrane diff FILE FILE2 | kestrane diff FILE --defaults

#include "shell/cli/cli.h"
#include "shell/cli/clisession.h"

#include "pages/sets/setblocks.h"
#include "pages/sets/setcompare.h"
#include "pages/sets/setfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {
namespace {

const char *stateName(BlockComparison::State s)
{
    switch (s) {
    case BlockComparison::State::Compared: return "compared";
    case BlockComparison::State::MissingInFirst: return "missingInFirst";
    case BlockComparison::State::MissingInSecond: return "missingInSecond";
    }
    return "";
}

QString shown(const QString &value, const QString &unit)
{
    return printable(unit.isEmpty() || value.isEmpty() ? value : value + u' ' + unit);
}

void printHuman(const SetComparison &c, const QString &first, const QString &second, Context &ctx)
{
    const int code = ctx.languageCode;
    QTextStream &out = ctx.out;
    out << "--- " << first << '\n' << "+++ " << second << '\n';
    for (const QString &w : c.warnings)
        out << text(code, QT_TRANSLATE_NOOP("Cli", "Warning: %1")).arg(w) << '\n';
    for (const BlockComparison &b : c.blocks) {
        if (b.state != BlockComparison::State::Compared) {
            const QString where = b.state == BlockComparison::State::MissingInFirst ? first : second;
            out << text(code, QT_TRANSLATE_NOOP("Cli", "%1: not comparable, missing in %2")).arg(b.title, where)
                << '\n';
            continue;
        }
        if (b.changed == 0)
            continue;
        out << text(code, QT_TRANSLATE_NOOP("Cli", "%1: %2 changed, %3 unchanged"))
                   .arg(b.title)
                   .arg(b.changed)
                   .arg(b.unchanged)
            << '\n';
        for (const FieldDifference &d : b.differences) {
            // Equal texts over different bytes: the bytes tell them apart.
            const bool sameText = d.first == d.second;
            const QString x = shown(d.first, d.unit) + (sameText ? QStringLiteral(" [%1]").arg(d.firstBytes) : QString());
            const QString y = shown(d.second, d.unit) + (sameText ? QStringLiteral(" [%1]").arg(d.secondBytes) : QString());
            out << "  " << d.caption << ": " << x << " -> " << y << '\n';
        }
    }
    out << text(code, QT_TRANSLATE_NOOP("Cli", "%1 changed, %2 unchanged, %3 not for controller type %4, %5 "
                                               "blocks not comparable."))
               .arg(c.changed)
               .arg(c.unchanged)
               .arg(c.notForType)
               .arg(c.controllerType)
               .arg(c.notComparable)
        << '\n';
}

QJsonObject comparisonJson(const SetComparison &c, const QString &first, const QString &second)
{
    QJsonArray blocks;
    for (const BlockComparison &b : c.blocks) {
        QJsonArray differences;
        for (const FieldDifference &d : b.differences) {
            differences.append(QJsonObject{{"control", d.control}, {"caption", d.caption}, {"unit", d.unit},
                                           {"first", d.first}, {"second", d.second}, {"firstBytes", d.firstBytes},
                                           {"secondBytes", d.secondBytes}, {"writable", d.writable}});
        }
        blocks.append(QJsonObject{{"name", findSetBlock(b.family)->name()}, {"title", b.title},
                                  {"state", QString::fromLatin1(stateName(b.state))}, {"changed", b.changed},
                                  {"unchanged", b.unchanged}, {"notForType", b.notForType},
                                  {"differences", differences}});
    }
    return {{"first", first}, {"second", second}, {"equal", c.equal()}, {"controllerType", c.controllerType},
            {"changed", c.changed}, {"unchanged", c.unchanged}, {"notForType", c.notForType},
            {"notComparable", c.notComparable}, {"typeDiffers", c.typeDiffers},
            {"serialDiffers", c.serialDiffers}, {"warnings", QJsonArray::fromStringList(c.warnings)},
            {"blocks", blocks}};
}

void printJson(const QJsonObject &o, Context &ctx)
{
    ctx.out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
}

// Reads one file; on a refusal says why (and, with --json, prints it) and
// sets the exit status.
std::optional<ParameterSet> readFile(const QString &path, bool json, Context &ctx, int &status)
{
    const int code = ctx.languageCode;
    ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "Reading %1 ...")).arg(path) << '\n';
    ctx.err.flush();
    SetReadResult r = readSetFile(path);
    if (r.set)
        return std::move(r.set);
    // The message may quote the file (a block's name, a text).
    const QString message = printable(QStringLiteral("%1: %2").arg(path, r.error.message(code)));
    ctx.err << message << '\n';
    // A file that cannot be opened is a wrong argument; one that is refused failed its checks.
    const bool unreadable = r.error.kind == SetFileError::Kind::Unreadable;
    status = unreadable ? Usage : Differences;
    if (json)
        printJson({{"error", QJsonObject{{"file", path}, {"message", message}, {"unreadable", unreadable},
                                         {"block", r.error.block}, {"member", r.error.member}}}},
                  ctx);
    return std::nullopt;
}
} // namespace

int runDiff(Context &ctx)
{
    const int code = ctx.languageCode;
    QCommandLineParser p;
    p.setApplicationDescription(
        text(code, QT_TRANSLATE_NOOP("Cli", "Compares FILE with FILE2 (or with the pages' design-time defaults "
                                            "for FILE's controller type) field by field, on what the bytes hold "
                                            "for the controller type of the second. Exit status: 0 equal, 1 "
                                            "differences or a file refused, 2 usage or a file that cannot be read.")));
    const CommonOptions common = addCommonOptions(p, code);
    const LinkOptionSet line = addLinkOptions(p, code);
    const QCommandLineOption defaults(
        QStringLiteral("defaults"),
        text(code, QT_TRANSLATE_NOOP("Cli", "Compare FILE with the pages' design-time defaults.")));
    p.addOption(defaults);
    p.addPositionalArgument(QStringLiteral("FILE"), text(code, QT_TRANSLATE_NOOP("Cli", "A parameter-set file (.kparams).")));
    p.addPositionalArgument(QStringLiteral("FILE2"), text(code, QT_TRANSLATE_NOOP("Cli", "The file to compare it with.")),
                            QStringLiteral("[FILE2]"));
    const QString usage =
        QStringLiteral("kestrane diff [options] FILE [FILE2 | --defaults | --port DEVICE | --demo]");
    if (const int status = parseArguments(p, common, ctx, usage); status >= 0)
        return status;

    const QStringList files = p.positionalArguments();
    const bool againstDefaults = p.isSet(defaults);
    LinkOptions options;
    const QString wrong = readLinkOptions(p, line, code, options);
    const int others = (files.size() == 2 ? 1 : 0) + (againstDefaults ? 1 : 0) + (options.given() ? 1 : 0);
    if (!wrong.isEmpty() || files.isEmpty() || files.size() > 2 || others != 1) {
        if (!wrong.isEmpty())
            ctx.err << wrong << '\n';
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "diff takes FILE and one of FILE2, --defaults or the "
                                                       "controller (--port DEVICE or --demo).")) << '\n'
                << text(code, QT_TRANSLATE_NOOP("Cli", "Usage: %1")).arg(usage) << '\n';
        return Usage;
    }
    const bool json = p.isSet(common.json);
    int status = Done;
    const std::optional<ParameterSet> first = readFile(files[0], json, ctx, status);
    if (!first)
        return status;
    std::optional<ParameterSet> second;
    QString secondName;
    if (options.given()) {
        Session session(options, ctx);
        if (!session.open())
            return LinkFailure;
        const std::optional<BackupResult> controller = backUp(session, ctx);
        if (!controller)
            return LinkFailure;
        second = controller->set;
        secondName = text(code, QT_TRANSLATE_NOOP("Cli", "the controller on %1")).arg(session.portName());
    } else if (againstDefaults) {
        second = ParameterSet::designDefaults(first->controllerType());
        secondName = text(code, QT_TRANSLATE_NOOP("Cli", "defaults of controller type %1")).arg(first->controllerType());
    } else {
        second = readFile(files[1], json, ctx, status);
        secondName = files[1];
        if (!second)
            return status;
    }
    const SetComparison c = compareSets(*first, *second, code);
    if (json)
        printJson(comparisonJson(c, files[0], secondName), ctx);
    else
        printHuman(c, files[0], secondName, ctx);
    return c.equal() ? Done : Differences;
}

} // namespace cli
