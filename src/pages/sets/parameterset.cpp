#include "pages/sets/parameterset.h"

#include "pages/sets/setblocks.h"

namespace {
const std::optional<Block> kNone;

// A value of the Idc block by its control, as the table lays it out.
int idcValue(const Block &idc, const char *control)
{
    const BlockTable &table = *findSetBlock(FrameId::IdcCalib)->table;
    return int(rawFieldValue(table.field(table.fieldOfSlot(table.slotOf(QString::fromLatin1(control)))), idc));
}
} // namespace

SetIdentity identityOf(const Block &idc)
{
    return {idcValue(idc, "txtProjectNum"), idcValue(idc, "txtSNNum"), idcValue(idc, "txtYearNum"),
            idcValue(idc, "txtWeekNum"), idcValue(idc, "txtcIdcCalibNum")};
}

int controllerTypeOf(const Block &idc)
{
    return idcValue(idc, "txtcType");
}

const std::optional<Block> &ParameterSet::block(FrameId family) const
{
    const int i = setBlockIndex(family);
    return i < 0 ? kNone : m_blocks[std::size_t(i)];
}

void ParameterSet::setBlock(FrameId family, const Block &bytes)
{
    const int i = setBlockIndex(family);
    Q_ASSERT(i >= 0);
    if (i < 0)
        return;
    m_blocks[std::size_t(i)] = bytes;
    if (family == FrameId::IdcCalib)
        m_controllerType = controllerTypeOf(bytes);
}

void ParameterSet::clearBlock(FrameId family)
{
    const int i = setBlockIndex(family);
    if (i >= 0)
        m_blocks[std::size_t(i)].reset();
}

std::optional<SetIdentity> ParameterSet::identity() const
{
    const std::optional<Block> &idc = block(FrameId::IdcCalib);
    return idc ? std::optional(identityOf(*idc)) : std::nullopt;
}

QList<FrameId> ParameterSet::missing() const
{
    QList<FrameId> families;
    for (const SetBlock &b : setBlocks()) {
        if (!block(b.family))
            families.append(b.family);
    }
    return families;
}

ParameterSet ParameterSet::designDefaults(int controllerType, QList<FrameId> *failed)
{
    ParameterSet set;
    set.m_controllerType = controllerType;
    for (const SetBlock &b : setBlocks()) {
        if (b.family == FrameId::IdcCalib)
            continue;
        Block bytes;
        const EncodeResult r = encodeBlock(*b.table, ValueMap(*b.table), {controllerType, u'.'}, bytes);
        if (r.ok())
            set.m_blocks[std::size_t(setBlockIndex(b.family))] = bytes;
        else if (failed)
            failed->append(b.family);
    }
    return set;
}
