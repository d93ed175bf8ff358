#pragma once
// The program-wide state of the tool: one object, owned by main() (or by a
// test), passed by reference to everything that reads or changes it.

#include "link/commandtable.h"
#include "link/frames.h"

#include <QDateTime>
#include <QString>

#include <array>

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

struct AppState
{
    int linkState = LinkStateCode::Offline;
    bool lastFrameBad = false;
    int languageCode = LanguageCode::English;
    qint16 controllerType = 0;
    bool recordingActive = false;

    int portNumber = 0; // 0 until the port dialog is first confirmed
    QString portSettings = QString::fromLatin1(kDefaultPortSettings);

    std::array<double, 14> curveTable = kCurveTableStart;
    int curveScale = kCurveScaleStart;

    bool loadParaPending = false;
    qint32 pendingIqKiGain3 = 0;
    qint16 loadParaStage = 0;

    bool iqTestRunning = false;
    bool tempAlertArmed = false;
    QDateTime iqTestStartTime;

    LiveValues live;
    qint32 recordCount = 0;

    FrameBuffers frames;
    RequestFrames requests = buildRequestFrames();

    bool online() const { return linkState == LinkStateCode::Online; }
};

// The link part of the start-up: flags cleared, curve globals filled, request
// frames built, link offline.
void initLink(AppState &state);
