#pragma once
// The live-status block DF EF as numbers, for the trends and the timed
// recording: every reading in the smallest step the block carries
// (hundredths of a volt, whole rpm, tenths of a millivolt of throttle), so
// nothing is rounded on the way. The status panel shows the same readings
// as texts (statusdecoder.h).

#include "core/frames.h"
#include "core/language.h"

#include <array>

// The panes of the trend window: one unit each.
enum class TrendPane { Battery, Current, Speed, Temperature, Throttle, Count };
inline constexpr int kTrendPaneCount = int(TrendPane::Count);

struct TrendPaneDef
{
    TrText title;     // context "frmTrends"
    const char *unit; // on the axis: "V", "A", "rpm", "°C" (UTF-8)
};
extern const std::array<TrendPaneDef, kTrendPaneCount> kTrendPanes;

inline constexpr int kTrendValueCount = 10;

// One reading of the block. Its value is (field × factor + bias) / divisor
// in its unit, where the field is the byte, the unsigned 16-bit word or the
// sign-magnitude word at `offset`.
struct TrendValueDef
{
    enum Form : quint8 { Byte, U16, SM16 };
    const char *key;       // "batteryVoltage": names the series' check box
    TrText caption;        // context "frmTrends"
    const char *csvHeader; // "battery voltage [V]": the recording's column, ASCII
    TrendPane pane;
    Form form;
    int offset;
    int factor;
    int bias;
    int divisor; // 1, 100 or 10000
    quint32 color; // 0xRRGGBB of its line
};
extern const std::array<TrendValueDef, kTrendValueCount> kTrendValues;

// Readings in the order of kTrendValues.
namespace TrendValue {
enum : int {
    BatteryVoltage, DcCurrent, Speed, MotorTemp, PowerStageTemp,
    IqRef, IqActual, IdRef, IdActual, Throttle,
};
} // namespace TrendValue

struct StatusSample
{
    // Each reading in steps of 1 / divisor of its unit: 4825 is 48.25 V.
    std::array<qint32, kTrendValueCount> counts{};
    quint16 currentErrors = 0; // bytes 19, 20
    quint16 historyErrors = 0; // bytes 10, 11
    quint8 stateBits = 0;      // byte 9
    quint8 ioLevels = 0;       // byte 17
    quint8 machine = 0;        // byte 18, the controller state word
    quint8 gear = 0;           // byte 28
    quint8 hallState = 0;      // byte 29
    quint8 mode = 0;           // byte 30

    double value(int i) const { return counts[std::size_t(i)] / double(kTrendValues[std::size_t(i)].divisor); }
    bool operator==(const StatusSample &) const = default;
};

// The block as it came from the line, sign bits included.
StatusSample sampleFromBlock(const Block &block);

// A reading as a plain decimal without trailing zeros and without rounding:
// 4825 hundredths -> "48.25", -1250 -> "-12.5", 12345 ten-thousandths ->
// "1.2345".
QString countsText(qint32 counts, int divisor);
// The reverse for a text that countsText could have made (or with trailing
// zeros); false for anything else, or for more decimals than the divisor has.
bool parseCounts(QStringView text, int divisor, qint32 &counts);
