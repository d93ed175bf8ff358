#pragma once
// Parameter sets for the tests, the benchmark and the fuzz corpus: the blocks
// as a backup would hold them (reply codes), from the pages' defaults or
// from random bytes.

#include "pages/sets/parameterset.h"
#include "pages/sets/setblocks.h"

#include <QDateTime>

namespace samples {

inline void stamp(ParameterSet &set)
{
    set.toolVersion = QStringLiteral("2.0.0");
    set.toolCommit = QStringLiteral("0123456789");
    set.time = QDateTime(QDate(2024, 5, 1), QTime(8, 30), Qt::OffsetFromUTC, 8 * 3600);
    set.port = QStringLiteral("/dev/ttyUSB0");
    set.portSettings = QStringLiteral("9600,n,8,1");
    set.model = QStringLiteral("Model 5");
}

// A block as the controller sends it: its command, read code, qualifier and end marker.
inline Block asReply(const SetBlock &b, Block bytes)
{
    bytes[0] = b.codes->command();
    bytes[1] = b.codes->readCode;
    if (b.codes->qualifier)
        bytes[2] = b.codes->qualifier;
    bytes[kBlockSize - 1] = kEndMarker;
    return bytes;
}

// The pages' defaults, with a flux speed and the controller type in the Idc block.
inline ParameterSet defaultsSet(int controllerType)
{
    ParameterSet set;
    stamp(set);
    set.setControllerType(controllerType);
    for (const SetBlock &b : setBlocks()) {
        ValueMap values(*b.table);
        if (b.family == FrameId::IdcCalib)
            (void)values.setText(u"txtcType", QString::number(controllerType));
        if (b.family == FrameId::Derate)
            (void)values.setText(u"txtFluxSTspeed", QStringLiteral("1500"));
        Block bytes{};
        if (!encodeBlock(*b.table, values, {controllerType, u'.'}, bytes).ok())
            qFatal("the sample defaults of %s do not encode", b.codes->name);
        set.setBlock(b.family, asReply(b, bytes));
    }
    return set;
}

// Any bytes between the codes.
inline ParameterSet randomSet(int controllerType, quint32 seed)
{
    ParameterSet set;
    stamp(set);
    for (const SetBlock &b : setBlocks()) {
        Block bytes{};
        for (quint8 &x : bytes) {
            seed = seed * 1664525u + 1013904223u;
            x = quint8(seed >> 24);
        }
        if (b.family == FrameId::IdcCalib)
            bytes[14] = quint8(controllerType);
        set.setBlock(b.family, asReply(b, bytes));
    }
    set.setControllerType(controllerType);
    return set;
}

} // namespace samples
