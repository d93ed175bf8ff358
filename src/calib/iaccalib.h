#pragma once
// The Iac calibration and Iq test frames (command byte F9), the angle step
// and the timing of an aging run. Widget-free: the page and the run window
// build on it, the tests call it directly.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

// The three switches of the test mode, as the check boxes stand.
struct IqTestMode
{
    bool openLoop = false;     // "Aging enable"
    bool lock = false;         // "Lock Active"
    bool iqClosedLoop = false; // "Iq close loop enable"
};

// The largest angle step the frames carry.
inline constexpr qint64 kMaxAngleStep = 32767;

// F9 EA a l c DA.
QByteArray iqTestModeFrame(const IqTestMode &mode);

// Int(amps x 1.414), then below 1 -> 0, above 1000 -> 1000.
int iacCurrentCode(qint64 amps);

// angle x 65535 / 360, below 1 -> 0, above 65535 -> 65535, rounded half to
// even as a whole: the two bytes always carry the one code nearest the angle.
int iacPhaseCode(qint64 degrees);

// F9 E9 d0 d1 p0 p1 i0 i1 DA. The angle step is limited to 0..32767; without
// a selected option (`degrees` empty) the phase code is 0.
QByteArray calibrationPointFrame(qint64 angleStep, std::optional<qint64> degrees, qint64 amps);

// F9 E9 00 00 00 00 00 00 DA: ends any Iq test run.
QByteArray iqTestStopFrame();

// F9 E9 d0 d1 a 01 00 00 l DA. An angle step below 1 goes out as 0; one above
// 32767 does not fit the frame: empty result (the caller refuses).
QByteArray angleStepWriteFrame(qint64 angleStep, const IqTestMode &mode);

// F9 EB 00 t DA with t limited to 0..100.
QByteArray iqThrottleFrame(qint64 percent);

// F9 EB 00 DA.
QByteArray recordStartFrame();

// The electrical-angle advance per PWM period in 1/65536 of a turn:
// round(e x 65536 / f / 1000) for e = round(leading number of the electrical
// frequency in Hz) and f = leading number of the PWM frequency in kHz.
// Empty when it is not defined: a PWM frequency of 0 (or no number), or a
// result beyond the 32-bit range.
std::optional<qint64> CalcAngleDpp(QStringView electricalHz, QStringView pwmKhz);

// A whole number of seconds from the "Aging time[s]" box (integer parse);
// empty when the text is no such number.
std::optional<qint64> agingLimitSeconds(QStringView text);

// Whole seconds from `start` to `now`, never negative.
qint64 elapsedSeconds(const QDateTime &start, const QDateTime &now);

// What a tick of a running aging test has to do.
enum class IqRunStep {
    Continue, // the time is not up yet
    TimeUp,   // stop frame, alarm
    BadLimit, // the limit is no number: stop the run and say why
};
IqRunStep iqRunStep(qint64 elapsed, QStringView limitText);
