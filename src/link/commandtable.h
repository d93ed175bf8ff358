#pragma once
// The command table: the one place that knows which codes travel on the line.
// One row per block family (commandtable.cpp); the read requests, the write
// blocks, the reply rows of the dispatch and the route of every reply are
// derived from those rows, so a new family is one row here.

#include "core/frames.h"

#include <QByteArray>

#include <span>

// A block family: the frames that start with its command byte.
struct BlockFamily
{
    FrameId id;        // the command byte
    const char *name;  // "Basic"
    quint8 readCode;   // the tool's read request and the controller's reply; 0: never read
    quint8 writeCode;  // the tool's write block and its acknowledgement
    quint8 qualifier;  // byte 2 of every frame of the family (user information: 0xA2); 0: none
    const char *ackText; // English acknowledgement text (context "Link")
    // A request besides the read that the controller answers with the block
    // (the Idc counter reset); 0: none.
    quint8 resetCode = 0;
    // The tool never asks for the block (it only takes the replies it gets).
    bool neverRead = false;

    constexpr quint8 command() const { return commandOf(id); }
};

// The twelve parameter families follow one rule: the read code is
// command - 0x10 and the write code is command - 0x0F.
constexpr quint8 readCodeOf(quint8 command) { return quint8(command - 0x10); }
constexpr quint8 writeCodeOf(quint8 command) { return quint8(command - 0x0F); }

// Every family, in the order of the table.
std::span<const BlockFamily> blockFamilies();
// The family of `id`, or nullptr when the table has none.
const BlockFamily *findFamily(FrameId id);

// The family's read request: command, read code, (qualifier,) end marker;
// empty for a family the tool never asks for.
QByteArray readRequestFor(FrameId id);
// The family's empty write block: 32 zero bytes with the command, the write
// code, the qualifier and the end marker in place.
Block newWriteBlockFor(FrameId id);
Block newBlock(quint8 command, quint8 subCommand);

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

// The fixed request frames, built once at start-up and never changed. The
// read requests come from the family rows.
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

    QByteArray readRequestFor(FrameId id) const { return ::readRequestFor(id); }
};

RequestFrames buildRequestFrames();
// The request frames of the running program, built on first use.
const RequestFrames &requestFrames();

// What the receive handler does with a reply.
enum class ReplyAction {
    None,   // stored nowhere (the FF F9 test reply)
    Ack,    // "info" box with the row's text
    Block,  // a block of the row's family, for whoever keeps it
    Status, // the live status
    HallWarning,
    HallAUnderTest,
    HallADone, // the group A result, laid out as a Motor block
    HallBUnderTest,
    HallBDone, // the group B result
};

// One row of the dispatch table. Rows are matched on bytes 0 and 1 (and byte
// 2 for a family with a qualifier); no two rows match the same block.
struct ReplyRow
{
    quint8 command = 0;
    quint8 subCommand = 0;
    quint8 qualifier = 0; // 0: byte 2 is payload
    FrameId family = FrameId::None;
    ReplyAction action = ReplyAction::None;
    const char *ackText = nullptr; // English source text of the acknowledgement (context "Link")
};

std::span<const ReplyRow> replyTable();
// The row that matches the block, or nullptr.
const ReplyRow *findReplyRow(const Block &block);

// Texts of the FF FE refusal of a hall test (context "Link").
inline constexpr const char *kHallWarningText = "Make sure the throttle return and motor stops";
// The window of the hall test, which its warning is about.
inline constexpr const char *kHallTestWindow = "frmHallTest";
