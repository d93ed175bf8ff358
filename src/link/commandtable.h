#pragma once
// The command table: the one place that knows which codes travel on the line.
// The request frames, the dispatch of replies, the pages and the tests all
// read it from here.

#include "core/frames.h"

#include <QByteArray>

#include <array>
#include <span>

// The twelve parameter families follow one rule: the read code is
// command - 0x10 and the write code is command - 0x0F.
constexpr quint8 readCodeOf(quint8 command) { return quint8(command - 0x10); }
constexpr quint8 writeCodeOf(quint8 command) { return quint8(command - 0x0F); }

struct ParamFamily
{
    const char *name;
    quint8 command;
    FrameId buffer; // FrameId::None: replies are stored nowhere (never sent by the tool)
    constexpr quint8 readCode() const { return readCodeOf(command); }
    constexpr quint8 writeCode() const { return writeCodeOf(command); }
};

inline constexpr std::array<ParamFamily, 12> kParamFamilies{{
    {"Basic", 0xF0, FrameId::Basic},
    {"User information", 0xF1, FrameId::UserInfo},
    {"Reference", 0xF2, FrameId::Reference},
    {"Control", 0xF4, FrameId::Control},
    {"Motor", 0xF6, FrameId::Motor},
    {"Protection", 0xF8, FrameId::Protection},
    {"Other", 0xFE, FrameId::Other},
    {"Assist", 0xD0, FrameId::Assist},
    {"Torque PID", 0xD2, FrameId::DqPid},
    {"Derate", 0xD5, FrameId::Derate},
    {"Flux weakening", 0xD6, FrameId::FluxWeaken},
    {"Mode set", 0xD7, FrameId::ModeSet},
}};

// The page family whose block lives in `buffer`; nullptr for the Idc,
// status and test buffers.
const ParamFamily *paramFamilyFor(FrameId buffer);

// A write block of a parameter family: 32 zero bytes with the command, the
// write code (and the user-info qualifier) and the end marker in place.
Block newWriteBlock(const ParamFamily &family);
Block newBlock(quint8 command, quint8 subCommand);

// The codes of the block that lives in `buffer`: a parameter family's, or
// FB ED / FB EE for the Idc calibration block. False for buffers no page writes.
struct BlockCodes
{
    quint8 command = 0;
    quint8 readCode = 0;
    quint8 writeCode = 0;
};
bool blockCodesFor(FrameId buffer, BlockCodes *codes);
// The empty write block of that buffer (codes, qualifier, end marker).
Block newWriteBlockFor(FrameId buffer);

// Commands outside the parameter families.
namespace Cmd {
inline constexpr quint8 Idc = 0xFB;
inline constexpr quint8 IdcRead = 0xED;
inline constexpr quint8 IdcCountReset = 0xEC;
inline constexpr quint8 IdcCalibStart = 0xEB;
inline constexpr quint8 IdcWrite = 0xEE;
inline constexpr quint8 Factory = 0xFA;
inline constexpr quint8 FactorySet = 0xEA;
inline constexpr quint8 RestoreDefaults = 0xEB;
inline constexpr quint8 HallTest = 0xFC;
inline constexpr quint8 HallATest = 0xEC;
inline constexpr quint8 HallBTest = 0xED;
inline constexpr quint8 HallTestStop = 0xEE;
inline constexpr quint8 Poll = 0xFD;
inline constexpr quint8 Status = 0xDF;
inline constexpr quint8 StatusSub = 0xEF;
inline constexpr quint8 HallReply = 0xFF;
inline constexpr quint8 IqTest = 0xF9;
} // namespace Cmd

// The fixed request frames, built once at start-up and never changed.
struct RequestFrames
{
    QByteArray derateReadRequest;
    QByteArray fluxWeakenReadRequest;
    QByteArray otherReadRequest;
    QByteArray dqPidReadRequest;
    QByteArray hallTestStopRequest;
    QByteArray hallBTestRequest;
    QByteArray hallATestRequest;
    QByteArray restoreDefaultsRequest;
    QByteArray factorySetRequest;
    QByteArray basicReadRequest;
    QByteArray referenceReadRequest;
    QByteArray motorReadRequest;
    QByteArray modeSetReadRequest;
    QByteArray protectionReadRequest;
    QByteArray controlReadRequest;
    QByteArray idcCountResetRequest;
    QByteArray idcCalibStartRequest;
    QByteArray userInfoReadRequest;
    QByteArray idcCalibReadRequest;
    QByteArray statusPollRequest;

    // The read request of the page whose block lives in `buffer`
    // (empty for buffers that have none).
    QByteArray readRequestFor(FrameId buffer) const;
};

RequestFrames buildRequestFrames();
// The request frames of the running program, built on first use.
const RequestFrames &requestFrames();

// What the receive handler does with a reply.
enum class ReplyAction {
    None, // stored only
    Ack,  // "info" box with the row's text
    HallWarning,
    DecodeStatus,
    DecodeBasic,
    DecodeUserInfo,
    DecodeReference,
    DecodeControl,
    DecodeMotor,
    DecodeProtection,
    DecodeIdcCalib,
    DecodeOther,
    DecodeTorquePid,
    DecodeDerate,
    DecodeFluxWeaken,
    DecodeModeSet,
    HallAUnderTest,
    HallADone,
    HallBUnderTest,
    HallBDone,
    Count
};

// One row of the dispatch table. Rows are matched in order on bytes 0 and 1
// (and byte 2 = 0xA2 for the user-info family).
struct ReplyRow
{
    quint8 command;
    quint8 subCommand;
    bool needsQualifier;
    FrameId buffer; // FrameId::None: the block is not stored
    ReplyAction action;
    const char *ackText; // English source text of the acknowledgement (context "Link")
};

std::span<const ReplyRow> replyTable();
// The first row that matches the block, or nullptr.
const ReplyRow *findReplyRow(const Block &block);

// Texts of the FF FE refusal of a hall test (context "Link").
inline constexpr const char *kHallWarningText = "Make sure the throttle return and motor stops";
