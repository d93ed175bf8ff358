#include "pages/blocks/torquepidblock.h"

#include "core/appstate.h"
#include "core/textnumber.h"
#include "pages/engine/pageregistry.h"
#include "pages/engine/tablelookup.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { TorqueLoop, FluxLoop, MotorLock };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmdqPID", "Iq (torque) current loop"),
    QT_TRANSLATE_NOOP("frmdqPID", "Id (flux) current loop"),
    QT_TRANSLATE_NOOP("frmdqPID", "Motor lock"),
};

constexpr FieldSpec kFields[] = {
    u8Field("txtIqKpG0Pre", 2, QT_TRANSLATE_NOOP("frmdqPID", "Iq kp gain 0 pre"), "", "1").inGroup(TorqueLoop),
    u8Field("txtIqKiG0Pre", 3, QT_TRANSLATE_NOOP("frmdqPID", "Iq ki gain 0 pre"), "", "5").inGroup(TorqueLoop),
    u8Field("txtIdKpG0Pre", 4, QT_TRANSLATE_NOOP("frmdqPID", "Id kp gain 0 pre"), "", "2").inGroup(FluxLoop),
    u8Field("txtIdKiG0Pre", 5, QT_TRANSLATE_NOOP("frmdqPID", "Id ki gain 0 pre"), "", "10").inGroup(FluxLoop),
    u8Field("txtIqKpG0", 6, QT_TRANSLATE_NOOP("frmdqPID", "Iq kp gain 0"), "", "2").inGroup(TorqueLoop),
    u8Field("txtIqKiG0", 7, QT_TRANSLATE_NOOP("frmdqPID", "Iq ki gain 0"), "", "10").inGroup(TorqueLoop),
    u8Field("txtIdKpG0", 8, QT_TRANSLATE_NOOP("frmdqPID", "Id kp gain 0"), "", "2").inGroup(FluxLoop),
    u8Field("txtIdKiG0", 9, QT_TRANSLATE_NOOP("frmdqPID", "Id ki gain 0"), "", "20").inGroup(FluxLoop),
    u8Field("txtIqKpG2", 10, QT_TRANSLATE_NOOP("frmdqPID", "Iq kp gain 2"), "", "6").inGroup(TorqueLoop),
    u16Field("txtIqKiG2", 11, QT_TRANSLATE_NOOP("frmdqPID", "Iq ki gain 2"), "", "100").inGroup(TorqueLoop),
    u8Field("txtIdKpG2", 13, QT_TRANSLATE_NOOP("frmdqPID", "Id kp gain 2"), "", "6").inGroup(FluxLoop),
    u16Field("txtIdKiG2", 14, QT_TRANSLATE_NOOP("frmdqPID", "Id ki gain 2"), "", "100").inGroup(FluxLoop),
    u8Field("txtIqKpG3", 16, QT_TRANSLATE_NOOP("frmdqPID", "Iq kp gain 3"), "", "6").inGroup(TorqueLoop),
    u16Field(kIqKiGain3Box, 17, QT_TRANSLATE_NOOP("frmdqPID", "Iq ki gain 3"), "", "200").inGroup(TorqueLoop),
    u8Field("txtIdKpG3", 19, QT_TRANSLATE_NOOP("frmdqPID", "Id kp gain 3"), "", "6").inGroup(FluxLoop),
    u16Field("txtIdKiG3", 20, QT_TRANSLATE_NOOP("frmdqPID", "Id ki gain 3"), "", "200").inGroup(FluxLoop),
    u8Field("txtTKpGain", 22, QT_TRANSLATE_NOOP("frmdqPID", "Iq kp gain"), "", "1").inGroup(TorqueLoop),
    u8Field("txtTKpDivisor", 23, QT_TRANSLATE_NOOP("frmdqPID", "Iq kp divisor"), "", "1").inGroup(TorqueLoop),
    u16Field("txtTKiGain", 24, QT_TRANSLATE_NOOP("frmdqPID", "Iq ki gain"), "", "1").inGroup(TorqueLoop),
    u8Field("txtFKpGain", 26, QT_TRANSLATE_NOOP("frmdqPID", "Id kp gain"), "", "1").inGroup(FluxLoop),
    u8Field("txtFKpDivisor", 27, QT_TRANSLATE_NOOP("frmdqPID", "Id kp divisor"), "", "1").inGroup(FluxLoop),
    u16Field("txtFKiGain", 28, QT_TRANSLATE_NOOP("frmdqPID", "Id ki gain"), "", "1").inGroup(FluxLoop),
    // Stored in hundreds.
    u8Field("txtLockRefAcc", 30, QT_TRANSLATE_NOOP("frmdqPID", "Acc of MLock"), "", "2000")
        .divideBy(100)
        .inGroup(MotorLock),
};
static_assert(fieldIndex(kFields, kIqKiGain3Box) >= 0);

void afterEncode(BlockParts parts, const ValueMap &, const Block &)
{
    parts.loadPara.loadParaPending = false;
}

void afterDecode(BlockParts parts, const Block &, ValueMap &values)
{
    if (!parts.loadPara.loadParaPending)
        return;
    [[maybe_unused]] const bool replaced = values.setText(QString::fromLatin1(kIqKiGain3Box),
                                         formatInteger(parts.loadPara.pendingIqKiGain3));
    Q_ASSERT(replaced);
}

constexpr BlockSpec kSpec{
    "frmdqPID",
    QT_TRANSLATE_NOOP("frmdqPID", "Torque PID"),
    FrameId::DqPid,
    kFields,
    kGroups,
    {afterEncode, afterDecode},
};
} // namespace

const BlockTable &torquePidTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeTorquePid(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::DqPid, parts, values);
}

void decodeTorquePid(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::DqPid, parts, values);
}
