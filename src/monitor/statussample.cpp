#include "monitor/statussample.h"

#include <QCoreApplication>

const std::array<TrendPaneDef, kTrendPaneCount> kTrendPanes{{
    {QT_TRANSLATE_NOOP3("frmTrends", "Battery", "pane"), "V"},
    {QT_TRANSLATE_NOOP3("frmTrends", "Current", "pane"), "A"},
    {QT_TRANSLATE_NOOP3("frmTrends", "Speed", "pane"), "rpm"},
    {QT_TRANSLATE_NOOP3("frmTrends", "Temperature", "pane"), "\xC2\xB0""C"},
    {QT_TRANSLATE_NOOP3("frmTrends", "Throttle", "pane"), "V"},
}};

// The layout and scales of the live-status block. Power-stage degrees are
// the byte less 10, motor degrees twice the byte.
const std::array<TrendValueDef, kTrendValueCount> kTrendValues{{
    {"batteryVoltage", QT_TRANSLATE_NOOP3("frmTrends", "Battery voltage", ""), "battery voltage [V]",
     TrendPane::Battery, TrendValueDef::U16, 2, 1, 0, 100, 0x1f77b4},
    {"dcCurrent", QT_TRANSLATE_NOOP3("frmTrends", "DC current", ""), "DC current [A]",
     TrendPane::Current, TrendValueDef::SM16, 4, 1, 0, 100, 0xd62728},
    {"speed", QT_TRANSLATE_NOOP3("frmTrends", "Speed", "series"), "speed [rpm]",
     TrendPane::Speed, TrendValueDef::SM16, 6, 1, 0, 1, 0x2ca02c},
    {"motorTemp", QT_TRANSLATE_NOOP3("frmTrends", "Motor temperature", ""), "motor temperature [degC]",
     TrendPane::Temperature, TrendValueDef::Byte, 12, 2, 0, 1, 0x9467bd},
    {"powerStageTemp", QT_TRANSLATE_NOOP3("frmTrends", "Power-stage temperature", ""),
     "power-stage temperature [degC]", TrendPane::Temperature, TrendValueDef::Byte, 8, 1, -10, 1, 0xff7f0e},
    {"iqRef", QT_TRANSLATE_NOOP3("frmTrends", "Iq reference", ""), "Iq reference [A]",
     TrendPane::Current, TrendValueDef::SM16, 13, 1, 0, 1, 0x8c564b},
    {"iqActual", QT_TRANSLATE_NOOP3("frmTrends", "Iq actual", ""), "Iq actual [A]",
     TrendPane::Current, TrendValueDef::SM16, 21, 1, 0, 1, 0xe377c2},
    {"idRef", QT_TRANSLATE_NOOP3("frmTrends", "Id reference", ""), "Id reference [A]",
     TrendPane::Current, TrendValueDef::SM16, 23, 1, 0, 1, 0x7f7f7f},
    {"idActual", QT_TRANSLATE_NOOP3("frmTrends", "Id actual", ""), "Id actual [A]",
     TrendPane::Current, TrendValueDef::SM16, 25, 1, 0, 1, 0x17becf},
    {"throttle", QT_TRANSLATE_NOOP3("frmTrends", "Throttle", "series"), "throttle [V]",
     TrendPane::Throttle, TrendValueDef::U16, 15, 1, 0, 10000, 0xbcbd22},
}};

StatusSample sampleFromBlock(const Block &b)
{
    StatusSample s;
    for (std::size_t i = 0; i < kTrendValues.size(); ++i) {
        const TrendValueDef &d = kTrendValues[i];
        int field = 0;
        switch (d.form) {
        case TrendValueDef::Byte: field = b[std::size_t(d.offset)]; break;
        case TrendValueDef::U16: field = u16At(b, d.offset); break;
        case TrendValueDef::SM16: field = sm16At(b, d.offset); break;
        }
        s.counts[i] = field * d.factor + d.bias;
    }
    s.currentErrors = quint16(u16At(b, 19));
    s.historyErrors = quint16(u16At(b, 10));
    s.stateBits = b[9];
    s.ioLevels = b[17];
    s.machine = b[18];
    s.gear = b[28];
    s.hallState = b[29];
    s.mode = b[30];
    return s;
}

namespace {
int decimalsOf(int divisor)
{
    int n = 0;
    for (int d = divisor; d > 1; d /= 10)
        ++n;
    return n;
}
} // namespace

QString countsText(qint32 counts, int divisor)
{
    const qint64 magnitude = counts < 0 ? -qint64(counts) : qint64(counts);
    QString text = QString::number(magnitude / divisor);
    qint64 fraction = magnitude % divisor;
    if (fraction != 0) {
        int decimals = decimalsOf(divisor);
        while (fraction % 10 == 0) {
            fraction /= 10;
            --decimals;
        }
        text += u'.' + QString::number(fraction).rightJustified(decimals, u'0');
    }
    return counts < 0 ? u'-' + text : text;
}

bool parseCounts(QStringView text, int divisor, qint32 &counts)
{
    const int decimals = decimalsOf(divisor);
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (negative)
        ++i;
    qint64 whole = 0;
    int digits = 0;
    for (; i < text.size() && text[i].isDigit(); ++i, ++digits) {
        whole = whole * 10 + text[i].digitValue();
        if (whole > std::numeric_limits<qint32>::max())
            return false;
    }
    if (digits == 0)
        return false;
    qint64 fraction = 0;
    int fractionDigits = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        for (; i < text.size() && text[i].isDigit(); ++i, ++fractionDigits) {
            fraction = fraction * 10 + text[i].digitValue();
            if (fractionDigits >= 9)
                return false;
        }
        if (fractionDigits == 0)
            return false;
    }
    if (i != text.size())
        return false;
    // Trailing zeros beyond the divisor's decimals are harmless; other digits
    // there would be a value the block cannot carry.
    while (fractionDigits > decimals) {
        if (fraction % 10 != 0)
            return false;
        fraction /= 10;
        --fractionDigits;
    }
    for (; fractionDigits < decimals; ++fractionDigits)
        fraction *= 10;
    const qint64 value = whole * divisor + fraction;
    if (value > std::numeric_limits<qint32>::max())
        return false;
    counts = qint32(negative ? -value : value);
    return true;
}
