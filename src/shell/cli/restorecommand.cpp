// kestrane restore FILE [--blocks LIST] [--yes] and kestrane read BLOCK.

#include "shell/cli/cli.h"
#include "shell/cli/clisession.h"

#include "pages/sets/setblocks.h"
#include "pages/sets/setcompare.h"
#include "pages/sets/setfile.h"
#include "pages/sets/settransfer.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {
namespace {

QString blockNamesList()
{
    QStringList names;
    for (const SetBlock &b : setBlocks())
        names << b.name();
    return names.join(QStringLiteral(", "));
}

// "Basic,Motor" (names as a set file has them, any case): the families, or
// none with the name that is not one.
std::optional<QList<FrameId>> familiesNamed(const QString &list, QString *wrong)
{
    QList<FrameId> families;
    for (const QString &name : list.split(u',', Qt::SkipEmptyParts)) {
        const SetBlock *found = nullptr;
        for (const SetBlock &b : setBlocks()) {
            if (b.name().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
                found = &b;
        }
        if (!found) {
            *wrong = name.trimmed();
            return std::nullopt;
        }
        families << found->family;
    }
    return families;
}

// The fields to take from the file: every writable difference of the named
// blocks (all blocks but the protected two when none are named).
RestoreRequest requestFor(const SetComparison &comparison, const QList<FrameId> &named)
{
    RestoreRequest request;
    for (const BlockComparison &b : comparison.blocks) {
        const bool wanted = named.isEmpty() ? !isProtectedBlock(b.family) : named.contains(b.family);
        if (!wanted)
            continue;
        for (const FieldDifference &d : b.differences) {
            if (d.writable)
                request.ticked.append({b.family, d.control});
        }
        if (isProtectedBlock(b.family))
            request.explicitBlocks << b.family;
    }
    return request;
}

void printPlan(const RestorePlan &plan, const SetComparison &comparison, Context &ctx)
{
    for (const PlannedBlock &p : plan.blocks) {
        const BlockComparison *b = comparison.block(p.family);
        ctx.out << b->title << ':' << '\n';
        for (const FieldDifference &d : b->differences) {
            if (p.controls.contains(d.control))
                ctx.out << "  " << d.caption << ": " << printable(d.second) << " -> " << printable(d.first) << '\n';
        }
    }
    for (const QString &note : plan.notes)
        ctx.out << note << '\n';
}

QJsonObject resultJson(const RestoreResult &r, int code)
{
    QJsonArray blocks;
    for (const RestoredBlock &b : r.blocks) {
        blocks.append(QJsonObject{{"name", findSetBlock(b.family)->name()},
                                  {"state", restoredStateText(b.state, LanguageCode::English)},
                                  {"verified", b.state == RestoredBlock::State::Verified},
                                  {"differs", QJsonArray::fromStringList(b.verification.fields)},
                                  {"text", restoredStateText(b.state, code)}});
    }
    return {{"allVerified", r.allVerified()}, {"blocks", blocks}};
}

// Writes the plan, each block verified by reading it back.
int carryOut(Session &session, const RestorePlan &plan, bool json, Context &ctx)
{
    const int code = ctx.languageCode;
    SetRestore restore(session.service());
    QObject::connect(&restore, &SetRestore::progress, [&](int done, int total, FrameId family) {
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "Writing %1 (%2 of %3) ..."))
                       .arg(findSetBlock(family)->title(code))
                       .arg(done + 1)
                       .arg(total)
                << '\n';
        ctx.err.flush();
    });
    std::optional<RestoreResult> result;
    QObject::connect(&restore, &SetRestore::finished, [&](const RestoreResult &r) { result = r; });
    restore.start(plan);
    session.waitFor([&] { return result.has_value(); }, 120000);
    if (!result)
        return LinkFailure;
    if (json)
        ctx.out << QString::fromUtf8(QJsonDocument(resultJson(*result, code)).toJson(QJsonDocument::Indented));
    else
        ctx.out << result->lines(code).join(u'\n') << '\n';
    bool lost = false;
    for (const RestoredBlock &b : result->blocks)
        lost = lost || b.state == RestoredBlock::State::NotSent || b.state == RestoredBlock::State::NotAcknowledged;
    return result->allVerified() ? Done : lost ? LinkFailure : Differences;
}
} // namespace

int runRestore(Context &ctx)
{
    const int code = ctx.languageCode;
    QCommandLineParser p;
    p.setApplicationDescription(text(
        code, QT_TRANSLATE_NOOP("Cli", "Writes the fields of FILE that differ from what the controller holds, "
                                       "block by block, and reads each block back to verify it. Without --yes "
                                       "it only shows what it would write. The Idc calibration and User "
                                       "information blocks are written only when --blocks names them. Exit "
                                       "status: 0 verified (or nothing to write), 1 differences left or not "
                                       "verified, 2 usage, 3 link failure.")));
    const CommonOptions common = addCommonOptions(p, code);
    const LinkOptionSet line = addLinkOptions(p, code);
    const QCommandLineOption blocks(QStringLiteral("blocks"),
                                    text(code, QT_TRANSLATE_NOOP("Cli", "Only these blocks, by name: %1."))
                                        .arg(blockNamesList()),
                                    QStringLiteral("LIST"));
    const QCommandLineOption yes(QStringLiteral("yes"), text(code, QT_TRANSLATE_NOOP("Cli", "Write, do not only show.")));
    const QCommandLineOption confirmType(
        QStringLiteral("confirm-type"),
        text(code, QT_TRANSLATE_NOOP("Cli", "The file is of another controller type: name that type to write it "
                                            "anyway (\"type 3\").")),
        QStringLiteral("TYPE"));
    p.addOptions({blocks, yes, confirmType});
    p.addPositionalArgument(QStringLiteral("FILE"), text(code, QT_TRANSLATE_NOOP("Cli", "A parameter-set file (.kparams).")));
    const QString usage = QStringLiteral("kestrane restore FILE [--blocks LIST] [--yes] (--port DEVICE | --demo)");
    if (const int status = parseArguments(p, common, ctx, usage); status >= 0)
        return status;
    LinkOptions options;
    QString wrong = readLinkOptions(p, line, code, options);
    QList<FrameId> named;
    if (wrong.isEmpty() && p.isSet(blocks)) {
        QString bad;
        const std::optional<QList<FrameId>> f = familiesNamed(p.value(blocks), &bad);
        if (!f)
            wrong = text(code, QT_TRANSLATE_NOOP("Cli", "There is no block \"%1\"; the blocks are: %2.")).arg(bad, blockNamesList());
        else
            named = *f;
    }
    if (!wrong.isEmpty() || !options.given() || p.positionalArguments().size() != 1) {
        ctx.err << (wrong.isEmpty() ? QString() : wrong + u'\n')
                << text(code, QT_TRANSLATE_NOOP("Cli", "Usage: %1")).arg(usage) << '\n';
        return Usage;
    }
    const QString path = p.positionalArguments().first();
    SetReadResult file = readSetFile(path);
    if (!file.set) {
        ctx.err << path << ": " << file.error.message(code) << '\n';
        return file.error.kind == SetFileError::Kind::Unreadable ? Usage : Differences;
    }
    Session session(options, ctx);
    if (!session.open())
        return LinkFailure;
    const std::optional<BackupResult> controller = backUp(session, ctx);
    if (!controller)
        return LinkFailure;
    const SetComparison comparison = compareSets(*file.set, controller->set, code);
    for (const QString &w : comparison.warnings)
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "Warning: %1")).arg(w) << '\n';
    RestoreRequest request = requestFor(comparison, named);
    request.confirmedType = p.value(confirmType);
    request.unknownLayoutConfirmed = p.isSet(yes);
    const RestorePlan plan = planRestore(*file.set, controller->set, request, code);
    if (plan.refused) {
        ctx.err << plan.refusal << '\n';
        return Differences;
    }
    if (plan.blocks.isEmpty()) {
        ctx.out << text(code, QT_TRANSLATE_NOOP("Cli", "Nothing to write: the controller holds what the file holds.")) << '\n';
        return Done;
    }
    printPlan(plan, comparison, ctx);
    if (!p.isSet(yes)) {
        ctx.out << text(code, QT_TRANSLATE_NOOP("Cli", "Nothing was written. Run again with --yes to write these %1 blocks."))
                       .arg(plan.blocks.size())
                << '\n';
        return Differences;
    }
    return carryOut(session, plan, p.isSet(common.json), ctx);
}

int runRead(Context &ctx)
{
    const int code = ctx.languageCode;
    QCommandLineParser p;
    p.setApplicationDescription(text(code, QT_TRANSLATE_NOOP("Cli", "Reads one block and shows its fields as its "
                                                                    "page does, with its bytes.")));
    const CommonOptions common = addCommonOptions(p, code);
    const LinkOptionSet line = addLinkOptions(p, code);
    p.addPositionalArgument(QStringLiteral("BLOCK"), text(code, QT_TRANSLATE_NOOP("Cli", "One of: %1.")).arg(blockNamesList()));
    const QString usage = QStringLiteral("kestrane read BLOCK (--port DEVICE | --demo)");
    if (const int status = parseArguments(p, common, ctx, usage); status >= 0)
        return status;
    LinkOptions options;
    QString wrong = readLinkOptions(p, line, code, options);
    QString bad;
    const std::optional<QList<FrameId>> named = familiesNamed(p.positionalArguments().value(0), &bad);
    if (wrong.isEmpty() && (!named || named->size() != 1))
        wrong = text(code, QT_TRANSLATE_NOOP("Cli", "There is no block \"%1\"; the blocks are: %2.")).arg(bad, blockNamesList());
    if (!wrong.isEmpty() || !options.given()) {
        ctx.err << wrong << '\n' << text(code, QT_TRANSLATE_NOOP("Cli", "Usage: %1")).arg(usage) << '\n';
        return Usage;
    }
    const FrameId family = named->first();
    Session session(options, ctx);
    if (!session.open())
        return LinkFailure;
    // The Idc block first, when another is asked for: it names the layout.
    std::optional<RequestQueue::Result> idc, block;
    if (family != FrameId::IdcCalib)
        session.service().read(FrameId::IdcCalib, [&](const RequestQueue::Result &r) { idc = r; });
    session.service().read(family, [&](const RequestQueue::Result &r) { block = r; });
    session.waitFor([&] { return block.has_value(); }, 10000);
    if (!block || !block->ok()) {
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "No controller answered on %1 at %2."))
                       .arg(session.portName(), session.settings())
                << '\n';
        return LinkFailure;
    }
    const SetBlock &b = *findSetBlock(family);
    const int type = session.service().controllerType();
    const BlockTexts texts(b, block->reply, type, code);
    QJsonArray fields;
    for (int i = 0; i < b.table->fieldCount(); ++i) {
        const FieldSpec &f = b.table->field(i);
        if (!holdsValue(f) || !f.appliesTo(type))
            continue;
        const QString caption = fieldCaption(*b.table, i, code);
        // A caption like "Max speed[rpm]" carries its unit already.
        const QString unit = caption.contains(u'[') ? QString() : fieldUnit(f, code);
        if (p.isSet(common.json))
            fields.append(QJsonObject{{"control", QString::fromLatin1(f.control)}, {"caption", caption},
                                      {"text", texts.text(i)}, {"unit", fieldUnit(f, code)}});
        else
            ctx.out << caption << ": " << printable(texts.text(i)) << (unit.isEmpty() ? QString() : u' ' + unit) << '\n';
    }
    if (p.isSet(common.json))
        ctx.out << QString::fromUtf8(QJsonDocument(QJsonObject{{"block", b.name()}, {"controllerType", type},
                                                               {"bytes", hexString(block->reply)}, {"fields", fields}})
                                         .toJson(QJsonDocument::Indented));
    else
        ctx.out << hexString(block->reply) << '\n';
    return Done;
}

} // namespace cli
