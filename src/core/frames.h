#pragma once
// Frame shapes shared by the whole link: the 32-byte block, the block buffers
// of the pages, and the helpers to print frames.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>

inline constexpr int kBlockSize = 32;
inline constexpr quint8 kEndMarker = 0xDA;
inline constexpr quint8 kUserInfoQualifier = 0xA2;

using Block = std::array<quint8, kBlockSize>;

// A block family is named by the command byte its frames begin with: the
// parameter pages' families, the Idc calibration block and the live status.
// Other command bytes name families too (a family the tool learns later is
// FrameId(its command)); the command table says what each one carries.
enum class FrameId : quint8 {
    None = 0x00,
    Assist = 0xD0,
    DqPid = 0xD2,
    Derate = 0xD5,
    FluxWeaken = 0xD6,
    ModeSet = 0xD7,
    Status = 0xDF,
    Basic = 0xF0,
    UserInfo = 0xF1,
    Reference = 0xF2,
    Control = 0xF4,
    Motor = 0xF6,
    Protection = 0xF8,
    IdcCalib = 0xFB,
    Other = 0xFE,
};

constexpr quint8 commandOf(FrameId id) { return quint8(id); }

// One 32-byte buffer per family: where the codec builds a write block and
// where a decoder finds the reply it decodes.
class FrameBuffers
{
public:
    Block &operator[](FrameId id) { return m_buffers[commandOf(id)]; }
    const Block &operator[](FrameId id) const { return m_buffers[commandOf(id)]; }
    void clearAll();

    Block &basicFrame() { return (*this)[FrameId::Basic]; }
    Block &referenceFrame() { return (*this)[FrameId::Reference]; }
    Block &statusFrame() { return (*this)[FrameId::Status]; }

private:
    std::array<Block, 256> m_buffers{};
};

// The two-byte forms of every block, low byte first.
constexpr int u16At(const Block &b, int lo)
{
    return b[std::size_t(lo) + 1] * 256 + b[std::size_t(lo)];
}
// Sign-magnitude: bit 15 set means negative.
constexpr int sm16At(const Block &b, int lo)
{
    const int magnitude = (b[std::size_t(lo) + 1] & 0x7F) * 256 + b[std::size_t(lo)];
    return (b[std::size_t(lo) + 1] & 0x80) ? -magnitude : magnitude;
}
constexpr void putU16(Block &b, int lo, quint32 v)
{
    b[std::size_t(lo)] = quint8(v & 0xFF);
    b[std::size_t(lo) + 1] = quint8((v >> 8) & 0xFF);
}
constexpr void putSm16(Block &b, int lo, qint32 v)
{
    putU16(b, lo, v < 0 ? 0x8000u | quint32(-v) : quint32(v));
}

QByteArray toByteArray(const Block &block);
Block blockFromBytes(const QByteArray &bytes); // first 32 bytes, zero-padded
// "F0 E0 DA": how frames appear in logs and test failures.
QString hexString(const QByteArray &bytes);
QString hexString(const Block &block);
