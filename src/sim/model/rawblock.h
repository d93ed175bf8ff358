#pragma once
// The controller's view of a block: 32 raw bytes. The simulator writes and
// reads values with its own helpers, independent of the tool's field tables.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <cstdlib>

namespace sim {

inline constexpr int kBlockSize = 32;
inline constexpr quint8 kEnd = 0xDA;
inline constexpr quint8 kUserInfoTag = 0xA2;

using RawBlock = std::array<quint8, kBlockSize>;

inline RawBlock makeRaw(quint8 command, quint8 sub)
{
    RawBlock b{};
    b[0] = command;
    b[1] = sub;
    b[kBlockSize - 1] = kEnd;
    return b;
}

inline void putU8(RawBlock &b, int at, int v) { b[at] = quint8(qBound(0, v, 255)); }

// Unsigned 16-bit, low byte first.
inline void putU16(RawBlock &b, int at, int v)
{
    const int c = qBound(0, v, 0xFFFF);
    b[at] = quint8(c & 0xFF);
    b[at + 1] = quint8(c >> 8);
}

// Sign-magnitude 16-bit, low byte first: bit 15 is the sign.
inline void putSm16(RawBlock &b, int at, int v)
{
    const int mag = qMin(std::abs(v), 0x7FFF);
    const int raw = v < 0 ? (0x8000 | mag) : mag;
    b[at] = quint8(raw & 0xFF);
    b[at + 1] = quint8(raw >> 8);
}

inline int getU16(const RawBlock &b, int at) { return b[at] | (b[at + 1] << 8); }

inline int getSm16(const RawBlock &b, int at)
{
    const int mag = b[at] | ((b[at + 1] & 0x7F) << 8);
    return (b[at + 1] & 0x80) ? -mag : mag;
}

inline QByteArray toBytes(const RawBlock &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), kBlockSize);
}

inline RawBlock fromBytes(const QByteArray &bytes)
{
    RawBlock b{};
    for (int i = 0; i < kBlockSize && i < bytes.size(); ++i)
        b[i] = quint8(bytes[i]);
    return b;
}

// "F0 E0 DA", for the bench log.
QString hex(const QByteArray &bytes);

} // namespace sim
