#include "link/commandtable.h"

#include <QtGlobal>

const ParamFamily *paramFamilyFor(FrameId buffer)
{
    for (const ParamFamily &f : kParamFamilies) {
        if (f.buffer == buffer)
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

Block newWriteBlock(const ParamFamily &family)
{
    Block b = newBlock(family.command, family.writeCode());
    if (family.buffer == FrameId::UserInfo)
        b[2] = kUserInfoQualifier;
    return b;
}

bool blockCodesFor(FrameId buffer, BlockCodes *codes)
{
    if (const ParamFamily *family = paramFamilyFor(buffer)) {
        *codes = {family->command, family->readCode(), family->writeCode()};
        return true;
    }
    if (buffer == FrameId::IdcCalib) {
        *codes = {Cmd::Idc, Cmd::IdcRead, Cmd::IdcWrite};
        return true;
    }
    return false;
}

Block newWriteBlockFor(FrameId buffer)
{
    if (const ParamFamily *family = paramFamilyFor(buffer))
        return newWriteBlock(*family);
    BlockCodes codes;
    if (blockCodesFor(buffer, &codes))
        return newBlock(codes.command, codes.writeCode);
    return newBlock(0, 0);
}

static QByteArray shortRequest(quint8 command, quint8 subCommand)
{
    QByteArray a(3, '\0');
    a[0] = char(command);
    a[1] = char(subCommand);
    a[2] = char(kEndMarker);
    return a;
}

static QByteArray readRequest(quint8 command)
{
    return shortRequest(command, readCodeOf(command));
}

const RequestFrames &requestFrames()
{
    static const RequestFrames frames = buildRequestFrames();
    return frames;
}

RequestFrames buildRequestFrames()
{
    RequestFrames r;
    r.derateReadRequest = readRequest(0xD5);
    r.fluxWeakenReadRequest = readRequest(0xD6);
    r.otherReadRequest = readRequest(0xFE);
    r.dqPidReadRequest = readRequest(0xD2);
    r.hallTestStopRequest = shortRequest(Cmd::HallTest, Cmd::HallTestStop);
    r.hallBTestRequest = shortRequest(Cmd::HallTest, Cmd::HallBTest);
    r.hallATestRequest = shortRequest(Cmd::HallTest, Cmd::HallATest);
    r.restoreDefaultsRequest = shortRequest(Cmd::Factory, Cmd::RestoreDefaults);
    r.factorySetRequest = shortRequest(Cmd::Factory, Cmd::FactorySet);
    r.basicReadRequest = readRequest(0xF0);
    r.referenceReadRequest = readRequest(0xF2);
    r.motorReadRequest = readRequest(0xF6);
    r.modeSetReadRequest = readRequest(0xD7);
    r.protectionReadRequest = readRequest(0xF8);
    r.controlReadRequest = readRequest(0xF4);
    r.idcCountResetRequest = shortRequest(Cmd::Idc, Cmd::IdcCountReset);
    r.idcCalibStartRequest = shortRequest(Cmd::Idc, Cmd::IdcCalibStart);
    r.userInfoReadRequest = QByteArray("\xF1\xE1\xA2\xDA", 4);
    r.idcCalibReadRequest = shortRequest(Cmd::Idc, Cmd::IdcRead);
    // The poll is the one frame without an end marker.
    r.statusPollRequest = QByteArray("\xFD\x48\x55", 3);
    return r;
}

QByteArray RequestFrames::readRequestFor(FrameId buffer) const
{
    switch (buffer) {
    case FrameId::Basic: return basicReadRequest;
    case FrameId::Reference: return referenceReadRequest;
    case FrameId::Control: return controlReadRequest;
    case FrameId::Motor: return motorReadRequest;
    case FrameId::Protection: return protectionReadRequest;
    case FrameId::Other: return otherReadRequest;
    case FrameId::DqPid: return dqPidReadRequest;
    case FrameId::FluxWeaken: return fluxWeakenReadRequest;
    case FrameId::Derate: return derateReadRequest;
    case FrameId::ModeSet: return modeSetReadRequest;
    case FrameId::IdcCalib: return idcCalibReadRequest;
    case FrameId::UserInfo: return userInfoReadRequest;
    default: return {};
    }
}

namespace {
using A = ReplyAction;
using F = FrameId;

const ReplyRow kReplyRows[] = {
    {0xDF, 0xEF, false, F::Status, A::DecodeStatus, nullptr},
    {0xF0, 0xE0, false, F::Basic, A::DecodeBasic, nullptr},
    {0xF0, 0xE1, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Basic set successfull!")},
    {0xF1, 0xE1, true, F::UserInfo, A::DecodeUserInfo, nullptr},
    {0xF1, 0xE2, true, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "User info set successfull!")},
    {0xF2, 0xE2, false, F::Reference, A::DecodeReference, nullptr},
    {0xF2, 0xE3, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Reference set successfull!")},
    {0xF4, 0xE4, false, F::Control, A::DecodeControl, nullptr},
    {0xF4, 0xE5, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Control set successfull!")},
    {0xF6, 0xE6, false, F::Motor, A::DecodeMotor, nullptr},
    {0xF6, 0xE7, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Motor set successfull!")},
    {0xF8, 0xE8, false, F::Protection, A::DecodeProtection, nullptr},
    {0xF8, 0xE9, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Protection set successfull!")},
    {0xFA, 0xEA, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Factory set successfull!")},
    {0xFA, 0xEB, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Restore to default successfull!")},
    {0xFB, 0xED, false, F::IdcCalib, A::DecodeIdcCalib, nullptr},
    {0xFB, 0xEC, false, F::IdcCalib, A::DecodeIdcCalib, nullptr},
    {0xFB, 0xEE, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Idc calibration successfull!")},
    {0xFE, 0xEE, false, F::Other, A::DecodeOther, nullptr},
    {0xFE, 0xEF, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Other set successfull!")},
    {0xD0, 0xC0, false, F::Assist, A::None, nullptr},
    {0xD0, 0xC1, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Assist set successfull!")},
    {0xD2, 0xC2, false, F::DqPid, A::DecodeTorquePid, nullptr},
    {0xD2, 0xC3, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Torque PID set successfull!")},
    {0xD5, 0xC5, false, F::Derate, A::DecodeDerate, nullptr},
    {0xD5, 0xC6, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Derate set successfull!")},
    {0xD6, 0xC6, false, F::FluxWeaken, A::DecodeFluxWeaken, nullptr},
    {0xD6, 0xC7, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Flux weaken set successfull!")},
    {0xD7, 0xC7, false, F::ModeSet, A::DecodeModeSet, nullptr},
    {0xD7, 0xC8, false, F::None, A::Ack, QT_TRANSLATE_NOOP("Link", "Mode set successfull!")},
    {0xFF, 0xFE, false, F::None, A::HallWarning, nullptr},
    {0xFF, 0xFD, false, F::None, A::HallAUnderTest, nullptr},
    {0xFF, 0xFC, false, F::Motor, A::HallADone, nullptr},
    {0xFF, 0xFB, false, F::None, A::HallBUnderTest, nullptr},
    {0xFF, 0xFA, false, F::HallBResult, A::HallBDone, nullptr},
    {0xFF, 0xF9, false, F::TestReply, A::None, nullptr},
};
} // namespace

// The FF FE text is listed here so that the translation tools see it.
static const char *const kHallWarningSource [[maybe_unused]] =
    QT_TRANSLATE_NOOP("Link", "Make sure the throttle return and motor stops");

std::span<const ReplyRow> replyTable()
{
    return kReplyRows;
}

const ReplyRow *findReplyRow(const Block &block)
{
    for (const ReplyRow &row : kReplyRows) {
        if (row.command != block[0] || row.subCommand != block[1])
            continue;
        if (row.needsQualifier && block[2] != kUserInfoQualifier)
            continue;
        return &row;
    }
    return nullptr;
}
