#include "pages/sets/setcompare.h"

#include "pages/sets/setblocks.h"

#include <QCoreApplication>

namespace {
constexpr const char *kContext = "ParameterSet";

void compareBlock(const SetBlock &b, const Block &first, const Block &second, int type, int code,
                  QChar decimalPoint, BlockComparison &out)
{
    const BlockTable &table = *b.table;
    // Texts only when a field differs: most compares find few.
    std::optional<BlockTexts> firstTexts, secondTexts;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (!holdsValue(f))
            continue;
        if (!f.appliesTo(type)) {
            ++out.notForType;
            continue;
        }
        if (sameFieldBytes(f, first, second)) {
            ++out.unchanged;
            continue;
        }
        ++out.changed;
        if (!firstTexts) {
            firstTexts.emplace(b, first, type, code, decimalPoint);
            secondTexts.emplace(b, second, type, code, decimalPoint);
        }
        out.differences.append({i, QString::fromLatin1(f.control), fieldCaption(table, i, code), fieldUnit(f, code),
                                firstTexts->text(i), secondTexts->text(i), fieldBytesText(f, first),
                                fieldBytesText(f, second), !f.readOnly});
    }
}

QString typeText(int type)
{
    return type ? QString::number(type) : QStringLiteral("?");
}
} // namespace

const BlockComparison *SetComparison::block(FrameId family) const
{
    for (const BlockComparison &b : blocks) {
        if (b.family == family)
            return &b;
    }
    return nullptr;
}

SetComparison compareSets(const ParameterSet &first, const ParameterSet &second, int code, QChar decimalPoint)
{
    SetComparison c;
    c.controllerType = second.controllerType();
    for (const SetBlock &b : setBlocks()) {
        BlockComparison block;
        block.family = b.family;
        block.title = b.title(code);
        const std::optional<Block> &x = first.block(b.family);
        const std::optional<Block> &y = second.block(b.family);
        if (x && y) {
            compareBlock(b, *x, *y, c.controllerType, code, decimalPoint, block);
        } else {
            block.state = x ? BlockComparison::State::MissingInSecond : BlockComparison::State::MissingInFirst;
            ++c.notComparable;
        }
        c.changed += block.changed;
        c.unchanged += block.unchanged;
        c.notForType += block.notForType;
        c.blocks.append(block);
    }
    auto say = [code](const char *source) { return translated(code, kContext, source); };
    c.typeDiffers = first.controllerType() != second.controllerType();
    if (c.typeDiffers) {
        c.warnings << say(QT_TRANSLATE_NOOP("ParameterSet", "The controller types differ (%1 and %2): the fields "
                                                            "are compared as controller type %2 lays them out."))
                          .arg(typeText(first.controllerType()), typeText(second.controllerType()));
    }
    const std::optional<SetIdentity> a = first.identity(), b = second.identity();
    c.serialDiffers = a && b && (a->serialNumber != b->serialNumber || a->projectNumber != b->projectNumber);
    if (c.serialDiffers) {
        c.warnings << say(QT_TRANSLATE_NOOP("ParameterSet", "The serial numbers differ (%1 and %2): the sets are "
                                                            "of two different controllers."))
                          .arg(QStringLiteral("%1-%2").arg(a->projectNumber).arg(a->serialNumber),
                               QStringLiteral("%1-%2").arg(b->projectNumber).arg(b->serialNumber));
    }
    return c;
}
