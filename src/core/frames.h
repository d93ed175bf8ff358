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

// One 32-byte buffer per page (receive buffer of its replies and build buffer
// of its write block), plus the status, assist, test-reply and hall-B buffers.
enum class FrameId {
    Basic,
    Reference,
    Control,
    Motor,
    Protection,
    Other,
    DqPid,
    FluxWeaken,
    Derate,
    ModeSet,
    IdcCalib,
    UserInfo,
    Status,
    Assist,
    TestReply,
    HallBResult,
    Count,
    None = Count,
};

class FrameBuffers
{
public:
    Block &operator[](FrameId id) { return m_buffers[static_cast<std::size_t>(id)]; }
    const Block &operator[](FrameId id) const { return m_buffers[static_cast<std::size_t>(id)]; }
    void clearAll();

    Block &basicFrame() { return (*this)[FrameId::Basic]; }
    Block &referenceFrame() { return (*this)[FrameId::Reference]; }
    Block &statusFrame() { return (*this)[FrameId::Status]; }

private:
    std::array<Block, static_cast<std::size_t>(FrameId::Count)> m_buffers{};
};

QByteArray toByteArray(const Block &block);
Block blockFromBytes(const QByteArray &bytes); // first 32 bytes, zero-padded
// "F0 E0 DA": how frames appear in logs and test failures.
QString hexString(const QByteArray &bytes);
QString hexString(const Block &block);
