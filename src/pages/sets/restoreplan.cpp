#include "pages/sets/restoreplan.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"
#include "pages/sets/setblocks.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
constexpr const char *kContext = "ParameterSet";

QString say(int code, const char *source)
{
    return translated(code, kContext, source);
}

const FieldDifference *differenceOf(const BlockComparison &b, const QString &control)
{
    for (const FieldDifference &d : b.differences) {
        if (d.control == control)
            return &d;
    }
    return nullptr;
}

Block restoredBlock(const SetBlock &b, const Block &file, const Block &controller, const QStringList &ticked,
                    int type)
{
    Block out = newWriteBlockFor(b.family);
    const BlockTable &table = *b.table;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (!f.hasBytes() || f.readOnly || !f.appliesTo(type))
            continue;
        if (f.isConstant())
            out[f.offset] = f.constant;
        else
            copyFieldBytes(f, ticked.contains(QLatin1String(f.control)) ? file : controller, out);
    }
    return out;
}

// The row of the control that the controller type writes, or -1.
int writableField(const BlockTable &table, const QString &control, int type)
{
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (holdsValue(f) && f.appliesTo(type) && control == QLatin1String(f.control))
            return f.readOnly ? -1 : i;
    }
    return -1;
}

// The ticks of one block that a restore may take; false when a tick names no
// field a restore can write for the type.
bool acceptTicks(const RestoreRequest &request, const BlockComparison &block, int type, int code,
                 QStringList &controls, RestorePlan &plan)
{
    for (const RestoreTick &t : request.ticked) {
        if (t.family != block.family || controls.contains(t.control))
            continue;
        if (writableField(*findSetBlock(block.family)->table, t.control, type) < 0) {
            plan.refusal = say(code, QT_TRANSLATE_NOOP("ParameterSet", "Block \"%1\" has no field \"%2\" that a "
                                                                       "restore can write. Nothing was written."))
                               .arg(block.title, t.control);
            return false;
        }
        if (differenceOf(block, t.control))
            controls << t.control; // a tick on an equal field changes nothing
    }
    return true;
}

void planBlock(const SetBlock &b, const BlockComparison &block, const QStringList &controls,
               const ParameterSet &file, const ParameterSet &controller, const RestoreRequest &request, int code,
               RestorePlan &plan)
{
    const int type = controller.controllerType();
    if (block.state != BlockComparison::State::Compared) {
        plan.notes << say(code, QT_TRANSLATE_NOOP("ParameterSet", "%1: not written, the file or the controller "
                                                                  "lacks the block."))
                          .arg(block.title);
        return;
    }
    if (isProtectedBlock(b.family) && !request.explicitBlocks.contains(b.family)) {
        plan.notes << say(code, QT_TRANSLATE_NOOP("ParameterSet", "%1: not written, this block is written only "
                                                                  "when it is chosen by itself."))
                          .arg(block.title);
        return;
    }
    if (!bytesOfUnknownLayout(*b.table, type).isEmpty() && !request.unknownLayoutConfirmed) {
        plan.notes << say(code, QT_TRANSLATE_NOOP("ParameterSet", "%1: not written, the controller type %2 does "
                                                                  "not tell the layout of some of its bytes."))
                          .arg(block.title)
                          .arg(type);
        return;
    }
    plan.blocks.append({b.family, restoredBlock(b, *file.block(b.family), *controller.block(b.family), controls, type),
                        controls});
}
} // namespace

QList<RestoreTick> defaultTicks(const SetComparison &comparison)
{
    QList<RestoreTick> ticks;
    for (const BlockComparison &b : comparison.blocks) {
        if (isProtectedBlock(b.family))
            continue;
        for (const FieldDifference &d : b.differences) {
            if (d.writable)
                ticks.append({b.family, d.control});
        }
    }
    return ticks;
}

QString controllerTypeName(int type, int code)
{
    return say(code, QT_TRANSLATE_NOOP("ParameterSet", "type %1")).arg(type);
}

bool confirmsControllerType(const QString &typed, int type)
{
    const QString t = typed.simplified();
    return t == QString::number(type) ||
           t.compare(controllerTypeName(type, LanguageCode::English), Qt::CaseInsensitive) == 0 ||
           t == controllerTypeName(type, LanguageCode::Chinese);
}

RestorePlan planRestore(const ParameterSet &file, const ParameterSet &controller, const RestoreRequest &request,
                        int code)
{
    RestorePlan plan;
    const int fileType = file.controllerType();
    if (fileType != controller.controllerType() && !confirmsControllerType(request.confirmedType, fileType)) {
        plan.refused = true;
        plan.refusal = say(code, QT_TRANSLATE_NOOP("ParameterSet", "The file is of controller %1, the controller "
                                                                   "is of %2. Nothing was written; to restore it "
                                                                   "all the same, confirm by typing \"%1\"."))
                           .arg(controllerTypeName(fileType, code),
                                controllerTypeName(controller.controllerType(), code));
        return plan;
    }
    const SetComparison comparison = compareSets(file, controller, code);
    QList<QStringList> controlsOf;
    for (const BlockComparison &block : comparison.blocks) {
        QStringList controls;
        if (!acceptTicks(request, block, controller.controllerType(), code, controls, plan)) {
            plan.refused = true;
            return plan;
        }
        controlsOf.append(controls);
    }
    const std::span<const SetBlock> blocks = setBlocks();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const BlockComparison &block = comparison.blocks[qsizetype(i)];
        const QStringList &controls = controlsOf[qsizetype(i)];
        const bool ticked = std::any_of(request.ticked.begin(), request.ticked.end(),
                                        [&](const RestoreTick &t) { return t.family == block.family; });
        // Ticks on fields that are equal already leave nothing to write.
        if (ticked && (!controls.isEmpty() || block.state != BlockComparison::State::Compared))
            planBlock(blocks[i], block, controls, file, controller, request, code, plan);
    }
    return plan;
}

Verification verifyReadBack(FrameId family, const Block &written, const Block &readBack, int type, int code)
{
    Verification v;
    const SetBlock *b = findSetBlock(family);
    Q_ASSERT(b);
    const BlockFamily &codes = *b->codes;
    const QString title = b->title(code);
    v.otherBlock = readBack[0] != codes.command() || readBack[1] != codes.readCode ||
                   (codes.qualifier && readBack[2] != codes.qualifier) || readBack[kBlockSize - 1] != kEndMarker;
    if (v.otherBlock) {
        v.message = say(code, QT_TRANSLATE_NOOP("ParameterSet", "%1: not verified, the controller answered with "
                                                                "another block (%2)."))
                        .arg(title, hexString(readBack));
        return v;
    }
    const BlockTable &table = *b->table;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (!f.hasBytes() || f.readOnly || !f.appliesTo(type) || sameFieldBytes(f, written, readBack))
            continue;
        for (int k = 0; k < f.width(); ++k) {
            if (!v.bytes.contains(f.offset + k))
                v.bytes.append(f.offset + k);
        }
        v.fields << (f.isConstant() ? say(code, QT_TRANSLATE_NOOP("ParameterSet", "byte %1")).arg(f.offset)
                                    : fieldCaption(table, i, code));
    }
    std::sort(v.bytes.begin(), v.bytes.end());
    v.verified = v.fields.isEmpty();
    v.message = v.verified ? say(code, QT_TRANSLATE_NOOP("ParameterSet", "%1: verified")).arg(title)
                           : say(code, QT_TRANSLATE_NOOP("ParameterSet", "%1: not verified, the controller holds "
                                                                         "other values than were written in: %2."))
                                 .arg(title, v.fields.join(QStringLiteral(", ")));
    return v;
}
