#include "calib/iaccalib.h"

#include "core/textnumber.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr quint8 kTestCommand = 0xF9;
constexpr quint8 kEnd = 0xDA;

QByteArray frameOf(std::initializer_list<int> bytes)
{
    QByteArray f;
    f.reserve(int(bytes.size()));
    for (int b : bytes)
        f.append(char(quint8(b)));
    return f;
}

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}
} // namespace

QByteArray iqTestModeFrame(const IqTestMode &mode)
{
    return frameOf({kTestCommand, 0xEA, mode.openLoop ? 1 : 0, mode.lock ? 1 : 0,
                    mode.iqClosedLoop ? 1 : 0, kEnd});
}

int iacCurrentCode(qint64 amps)
{
    // 1.414 taken as the decimal it is written as: 500 A is exactly 707,
    // whatever a binary 1.414 would make of it.
    const qint64 code = floorDiv(amps * 1414, 1000);
    if (code < 1)
        return 0;
    return int(std::min<qint64>(code, 1000));
}

int iacPhaseCode(qint64 degrees)
{
    const qint64 num = degrees * 65535;
    constexpr qint64 den = 360;
    if (num < den)
        return 0;
    if (num > 65535 * den)
        return 65535;
    qint64 code = num / den;
    const qint64 twiceRest = 2 * (num % den);
    if (twiceRest > den || (twiceRest == den && (code & 1)))
        ++code;
    // Rounding the low byte alone and cutting the high byte from the
    // unrounded angle would drop 256 codes (1.4 degrees) whenever the
    // rounding carries into the high byte.
    return int(code);
}

QByteArray calibrationPointFrame(qint64 angleStep, std::optional<qint64> degrees, qint64 amps)
{
    const int d = angleStep < 1 ? 0 : int(std::min(angleStep, kMaxAngleStep));
    const int p = degrees ? iacPhaseCode(*degrees) : 0;
    const int i = iacCurrentCode(amps);
    return frameOf({kTestCommand, 0xE9, d & 0xFF, d >> 8, p & 0xFF, p >> 8, i & 0xFF, i >> 8, kEnd});
}

QByteArray iqTestStopFrame()
{
    return frameOf({kTestCommand, 0xE9, 0, 0, 0, 0, 0, 0, kEnd});
}

QByteArray angleStepWriteFrame(qint64 angleStep, const IqTestMode &mode)
{
    if (angleStep > kMaxAngleStep)
        return {};
    const int d = angleStep < 1 ? 0 : int(angleStep);
    return frameOf({kTestCommand, 0xE9, d & 0xFF, d >> 8, mode.openLoop ? 1 : 0, 0x01, 0, 0,
                    mode.lock ? 1 : 0, kEnd});
}

QByteArray iqThrottleFrame(qint64 percent)
{
    return frameOf({kTestCommand, 0xEB, 0x00, int(std::clamp<qint64>(percent, 0, 100)), kEnd});
}

QByteArray recordStartFrame()
{
    return frameOf({kTestCommand, 0xEB, 0x00, kEnd});
}

std::optional<qint64> CalcAngleDpp(QStringView electricalHz, QStringView pwmKhz)
{
    constexpr double kLongMax = std::numeric_limits<qint32>::max();
    constexpr double kLongMin = std::numeric_limits<qint32>::min();
    const double eRaw = parseLeadingNumber(electricalHz);
    const double f = parseLeadingNumber(pwmKhz);
    if (!std::isfinite(eRaw) || !std::isfinite(f) || f == 0)
        return std::nullopt;
    const double e = roundHalfEven(eRaw);
    if (e > kLongMax || e < kLongMin)
        return std::nullopt;
    const double dpp = roundHalfEven(e * 65536 / f / 1000);
    if (!std::isfinite(dpp) || dpp > kLongMax || dpp < kLongMin)
        return std::nullopt;
    return qint64(dpp);
}

std::optional<qint64> agingLimitSeconds(QStringView text)
{
    const ParsedNumber n = parseInteger(text, systemDecimalPoint());
    if (!n.ok())
        return std::nullopt;
    return qint64(n.value);
}

qint64 elapsedSeconds(const QDateTime &start, const QDateTime &now)
{
    if (!start.isValid() || !now.isValid())
        return 0;
    return std::max<qint64>(0, start.secsTo(now));
}

IqRunStep iqRunStep(qint64 elapsed, QStringView limitText)
{
    const std::optional<qint64> limit = agingLimitSeconds(limitText);
    if (!limit)
        return IqRunStep::BadLimit;
    return elapsed > *limit ? IqRunStep::TimeUp : IqRunStep::Continue;
}
