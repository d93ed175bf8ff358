#include "link/commandtable.h"

#include <QCoreApplication>

#include <array>

namespace {
using F = FrameId;

// The block families: the single source of the codes on the line.
constexpr BlockFamily kFamilies[] = {
    {F::Basic, "Basic", 0xE0, 0xE1, 0, QT_TRANSLATE_NOOP("Link", "Basic set successfull!")},
    {F::UserInfo, "User information", 0xE1, 0xE2, kUserInfoQualifier,
     QT_TRANSLATE_NOOP("Link", "User info set successfull!")},
    {F::Reference, "Reference", 0xE2, 0xE3, 0, QT_TRANSLATE_NOOP("Link", "Reference set successfull!")},
    {F::Control, "Control", 0xE4, 0xE5, 0, QT_TRANSLATE_NOOP("Link", "Control set successfull!")},
    {F::Motor, "Motor", 0xE6, 0xE7, 0, QT_TRANSLATE_NOOP("Link", "Motor set successfull!")},
    {F::Protection, "Protection", 0xE8, 0xE9, 0, QT_TRANSLATE_NOOP("Link", "Protection set successfull!")},
    {F::IdcCalib, "Idc calibration", Cmd::IdcRead, Cmd::IdcWrite, 0,
     QT_TRANSLATE_NOOP("Link", "Idc calibration successfull!"), Cmd::IdcCountReset},
    {F::Other, "Other", 0xEE, 0xEF, 0, QT_TRANSLATE_NOOP("Link", "Other set successfull!")},
    // The tool never asks for the Assist block; a reply is kept by nobody.
    {F::Assist, "Assist", 0xC0, 0xC1, 0, QT_TRANSLATE_NOOP("Link", "Assist set successfull!"), 0, true},
    {F::DqPid, "Torque PID", 0xC2, 0xC3, 0, QT_TRANSLATE_NOOP("Link", "Torque PID set successfull!")},
    {F::Derate, "Derate", 0xC5, 0xC6, 0, QT_TRANSLATE_NOOP("Link", "Derate set successfull!")},
    {F::FluxWeaken, "Flux weakening", 0xC6, 0xC7, 0, QT_TRANSLATE_NOOP("Link", "Flux weaken set successfull!")},
    {F::ModeSet, "Mode set", 0xC7, 0xC8, 0, QT_TRANSLATE_NOOP("Link", "Mode set successfull!")},
#ifdef KESTRANE_EXTRA_FAMILY_ROWS
// A test build's further families (one row each).
#include KESTRANE_EXTRA_FAMILY_ROWS
#endif
};

// Replies that belong to no family row.
constexpr ReplyRow kFixedRows[] = {
    {0xDF, 0xEF, 0, F::Status, ReplyAction::Status, nullptr},
    {Cmd::Factory, Cmd::FactorySet, 0, F::None, ReplyAction::Ack,
     QT_TRANSLATE_NOOP("Link", "Factory set successfull!")},
    {Cmd::Factory, Cmd::RestoreDefaults, 0, F::None, ReplyAction::Ack,
     QT_TRANSLATE_NOOP("Link", "Restore to default successfull!")},
    {0xFF, 0xFE, 0, F::None, ReplyAction::HallWarning, nullptr},
    {0xFF, 0xFD, 0, F::None, ReplyAction::HallAUnderTest, nullptr},
    {0xFF, 0xFC, 0, F::Motor, ReplyAction::HallADone, nullptr},
    {0xFF, 0xFB, 0, F::None, ReplyAction::HallBUnderTest, nullptr},
    {0xFF, 0xFA, 0, F::Motor, ReplyAction::HallBDone, nullptr},
    {0xFF, 0xF9, 0, F::None, ReplyAction::None, nullptr},
};

constexpr std::size_t familyRowCount(const BlockFamily &f)
{
    return (f.readCode ? 1 : 0) + (f.writeCode ? 1 : 0) + (f.resetCode ? 1 : 0);
}

constexpr std::size_t replyRowCount()
{
    std::size_t n = std::size(kFixedRows);
    for (const BlockFamily &f : kFamilies)
        n += familyRowCount(f);
    return n;
}

// The replies of a family: the block for a read (and a reset), the
// acknowledgement of a write.
constexpr auto kReplyRows = [] {
    std::array<ReplyRow, replyRowCount()> rows{};
    std::size_t n = 0;
    for (const ReplyRow &r : kFixedRows)
        rows[n++] = r;
    for (const BlockFamily &f : kFamilies) {
        if (f.readCode)
            rows[n++] = {f.command(), f.readCode, f.qualifier, f.id, ReplyAction::Block, nullptr};
        if (f.resetCode)
            rows[n++] = {f.command(), f.resetCode, f.qualifier, f.id, ReplyAction::Block, nullptr};
        if (f.writeCode)
            rows[n++] = {f.command(), f.writeCode, f.qualifier, f.id, ReplyAction::Ack, f.ackText};
    }
    return rows;
}();

constexpr bool repliesAreUnambiguous()
{
    for (std::size_t i = 0; i < kReplyRows.size(); ++i) {
        for (std::size_t j = i + 1; j < kReplyRows.size(); ++j) {
            if (kReplyRows[i].command == kReplyRows[j].command &&
                kReplyRows[i].subCommand == kReplyRows[j].subCommand)
                return false;
        }
    }
    return true;
}
static_assert(repliesAreUnambiguous(), "two replies with the same command pair");

constexpr bool familiesFollowTheRule()
{
    for (const BlockFamily &f : kFamilies) {
        if (f.id == F::IdcCalib)
            continue; // FB ED reads, FB EC resets, FB EE writes
        if (f.readCode != readCodeOf(f.command()) || f.writeCode != writeCodeOf(f.command()))
            return false;
    }
    return true;
}
static_assert(familiesFollowTheRule(), "a parameter family breaks the read/write code rule");

constexpr bool everyFamilyOnce()
{
    for (std::size_t i = 0; i < std::size(kFamilies); ++i) {
        if (kFamilies[i].id == F::None || !kFamilies[i].ackText)
            return false;
        for (std::size_t j = i + 1; j < std::size(kFamilies); ++j) {
            if (kFamilies[i].id == kFamilies[j].id)
                return false;
        }
    }
    return true;
}
static_assert(everyFamilyOnce(), "a family without command, text, or with two rows");

QByteArray shortRequest(quint8 command, quint8 subCommand)
{
    QByteArray a(3, '\0');
    a[0] = char(command);
    a[1] = char(subCommand);
    a[2] = char(kEndMarker);
    return a;
}
} // namespace

// The FF FE text is listed here so that the translation tools see it.
static const char *const kHallWarningSource [[maybe_unused]] =
    QT_TRANSLATE_NOOP("Link", "Make sure the throttle return and motor stops");

std::span<const BlockFamily> blockFamilies()
{
    return kFamilies;
}

const BlockFamily *findFamily(FrameId id)
{
    for (const BlockFamily &f : kFamilies) {
        if (f.id == id)
            return &f;
    }
    return nullptr;
}

Block newBlock(quint8 command, quint8 subCommand)
{
    Block b{};
    b[0] = command;
    b[1] = subCommand;
    b[kBlockSize - 1] = kEndMarker;
    return b;
}

Block newWriteBlockFor(FrameId id)
{
    const BlockFamily *f = findFamily(id);
    if (!f)
        return newBlock(0, 0);
    Block b = newBlock(f->command(), f->writeCode);
    if (f->qualifier)
        b[2] = f->qualifier;
    return b;
}

QByteArray readRequestFor(FrameId id)
{
    const BlockFamily *f = findFamily(id);
    if (!f || !f->readCode || f->neverRead)
        return {};
    QByteArray a = shortRequest(f->command(), f->readCode);
    if (f->qualifier)
        a.insert(2, char(f->qualifier));
    return a;
}

const RequestFrames &requestFrames()
{
    static const RequestFrames frames = buildRequestFrames();
    return frames;
}

RequestFrames buildRequestFrames()
{
    RequestFrames r;
    r.derateReadRequest = readRequestFor(F::Derate);
    r.fluxWeakenReadRequest = readRequestFor(F::FluxWeaken);
    r.otherReadRequest = readRequestFor(F::Other);
    r.dqPidReadRequest = readRequestFor(F::DqPid);
    r.hallTestStopRequest = shortRequest(Cmd::HallTest, Cmd::HallTestStop);
    r.hallBTestRequest = shortRequest(Cmd::HallTest, Cmd::HallBTest);
    r.hallATestRequest = shortRequest(Cmd::HallTest, Cmd::HallATest);
    r.restoreDefaultsRequest = shortRequest(Cmd::Factory, Cmd::RestoreDefaults);
    r.factorySetRequest = shortRequest(Cmd::Factory, Cmd::FactorySet);
    r.basicReadRequest = readRequestFor(F::Basic);
    r.referenceReadRequest = readRequestFor(F::Reference);
    r.motorReadRequest = readRequestFor(F::Motor);
    r.modeSetReadRequest = readRequestFor(F::ModeSet);
    r.protectionReadRequest = readRequestFor(F::Protection);
    r.controlReadRequest = readRequestFor(F::Control);
    r.idcCountResetRequest = shortRequest(Cmd::Idc, Cmd::IdcCountReset);
    r.idcCalibStartRequest = shortRequest(Cmd::Idc, Cmd::IdcCalibStart);
    r.userInfoReadRequest = readRequestFor(F::UserInfo);
    r.idcCalibReadRequest = readRequestFor(F::IdcCalib);
    // The poll is the one frame without an end marker.
    r.statusPollRequest = QByteArray("\xFD\x48\x55", 3);
    return r;
}

std::span<const ReplyRow> replyTable()
{
    return kReplyRows;
}

const ReplyRow *findReplyRow(const Block &block)
{
    for (const ReplyRow &row : kReplyRows) {
        if (row.command != block[0] || row.subCommand != block[1])
            continue;
        if (row.qualifier && block[2] != row.qualifier)
            return nullptr;
        return &row;
    }
    return nullptr;
}
