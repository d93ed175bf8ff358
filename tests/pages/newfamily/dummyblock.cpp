// The block of a family the tool does not have, for the test build that
// adds it: a table like any in src/pages/blocks.

#include "dummyblock.h"

namespace {
constexpr const char *kModes[] = {"Off", "Slow", "Fast"};
constexpr const char *kGroups[] = {"Dummy settings"};
constexpr FieldSpec kFields[] = {
    u16Field("txtSpeed", 2, "Speed[rpm]", "", "1200"),
    listField("cboMode", 4, "Mode", kModes, "1").plus(1).range(1, 3).listLimits(0, 2),
    flagField("ChkFan", 5, 0, "Fan"),
    flagField("ChkHorn", 5, 3, "Horn", "1"),
    // A byte whose meaning depends on the controller type.
    u8Field("txtGain", 6, "Gain", "", "7").onlyFor(ControllerTypes::Type1 | ControllerTypes::Type2),
    u8Field("txtBrake", 6, "Brake", "", "9").onlyFor(ControllerTypes::Type3),
};
constexpr BlockSpec kSpec{"frmDummy", "Dummy", FrameId(0xD9), kFields, kGroups};
} // namespace

const BlockTable &dummyTable()
{
    static const BlockTable table(kSpec);
    return table;
}
