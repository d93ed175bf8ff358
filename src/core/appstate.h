#pragma once
// The program-wide state of the tool, split by the subsystem that owns each
// part: one object, owned by main() (or by a test), from which each consumer
// is handed the part it reads or changes.

#include "core/frames.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <functional>

namespace LinkStateCode {
inline constexpr int Offline = 3;
inline constexpr int Connecting = 1;
inline constexpr int Online = 7;
} // namespace LinkStateCode

namespace LanguageCode {
inline constexpr int English = 22;
inline constexpr int Chinese = 11;
} // namespace LanguageCode

inline constexpr std::array<double, 14> kCurveTableStart{500, 360, 360, 310, 280, 270, 252,
                                                         228, 216, 140, 120, 100, 100, 0};
inline constexpr int kCurveScaleStart = 750;
inline constexpr const char *kDefaultPortSettings = "9600,n,8,1";

// Owned by the language menu; read by everything that shows a text.
struct LanguageState
{
    int languageCode = LanguageCode::English;
};

// Owned by the link: the port and whether the controller answers.
struct ConnectionState
{
    int linkState = LinkStateCode::Offline;
    bool lastFrameBad = false;
    int portNumber = 0; // 0 until the port dialog is first confirmed
    QString portSettings = QString::fromLatin1(kDefaultPortSettings);

    bool online() const { return linkState == LinkStateCode::Online; }
};

// Owned by the pages that write it (Basic, Protection, Mode set); read by the
// curve page.
struct CurveState
{
    std::array<double, 14> curveTable = kCurveTableStart;
    int curveScale = kCurveScaleStart;
    // Redraws the curve from the two above (set by whoever shows the curve;
    // the pages call it after they changed the table or the scale).
    std::function<void()> drawCurve;
};

// Owned by the Protection page's "Load para" chain.
struct LoadParaState
{
    bool loadParaPending = false;
    qint32 pendingIqKiGain3 = 0;
    qint16 loadParaStage = 0;
};

// Owned by the Iac calibration page's timed run.
struct IqTestState
{
    bool iqTestRunning = false;
    bool tempAlertArmed = false;
    QDateTime iqTestStartTime;
};

// The latest live readings, kept for the data recorder.
struct LiveValues
{
    double batteryVoltage = 0; // V
    double lastSpeed = 0;      // rpm
    qint32 lastPowerTemp = 0;  // degrees
    double lastMotorTemp = 0;  // degrees
    double lastIqActual = 0;   // A
    double lastThrottle = 0;   // V, rounded to 3 decimals
    qint32 lastErrorWord = 0;  // the history error word
};

// Owned by the recorder; the status decoder fills `live`.
struct RecorderState
{
    bool recordingActive = false;
    qint32 recordCount = 0;
    LiveValues live;
};

// What a parameter page and its block codec work on: the controller's
// blocks and type, and the two parts the blocks' hooks keep up to date.
struct BlockParts
{
    FrameBuffers &frames;
    qint16 &controllerType;
    CurveState &curve;
    LoadParaState &loadPara;
};

// What decoding a live-status block reads and fills.
struct StatusParts
{
    Block &statusFrame; // its sign bits are cleared by the decoding
    const LanguageState &language;
    IqTestState &iqTest; // the heating-test alert
    LiveValues &live;    // for the recorder
};

struct AppState
{
    ConnectionState connection;
    LanguageState language;
    qint16 controllerType = 0; // learned from every Idc calibration block
    CurveState curve;
    LoadParaState loadPara;
    IqTestState iqTest;
    RecorderState recorder;
    FrameBuffers frames;

    bool online() const { return connection.online(); }
    BlockParts blockParts() { return {frames, controllerType, curve, loadPara}; }
    StatusParts statusParts() { return {frames.statusFrame(), language, iqTest, recorder.live}; }
};

// The link part of the start-up: flags cleared, curve globals filled, link
// offline.
void initLink(AppState &state);
