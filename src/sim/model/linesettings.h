#pragma once
// The settings of one end of a serial line: rate, parity, data and stop
// bits. The controller's own settings may leave any of them open (0), which
// then takes whatever the other end chose; the tool's end is always whole.
// Written "9600,n,8,1", an open field as "*".

#include <QString>
#include <QtGlobal>

#include <optional>

namespace sim {

struct LineSettings
{
    int baud = 0;       // bits a second; 0: any
    char parity = 0;    // 'n', 'o' or 'e'; 0: any
    int dataBits = 0;   // 5..8; 0: any
    int stopHalves = 0; // stop bits in halves: 2 (one), 3 (one and a half), 4 (two); 0: any

    // 9600 baud, no parity, 8 data bits, 1 stop bit: a line nobody has set.
    static LineSettings standard() { return {9600, 'n', 8, 2}; }
    // "any"; or baud, parity, data bits, stop bits, each "*" for any, the
    // fields left out at the end open: "19200", "9600,e", "9600,n,8,1".
    static std::optional<LineSettings> parse(const QString &text);
    QString toString() const;

    bool anyField() const { return baud || parity || dataBits || stopHalves; }
    bool whole() const { return baud && parity && dataBits && stopHalves; }
    // Every field this side set is the other side's.
    bool accepts(const LineSettings &other) const;
    // This side's fields, the open ones taken from `other`.
    LineSettings filledFrom(const LineSettings &other) const;

    // Microseconds that `bytes` characters take on a whole line, counted
    // from the first start bit: start, data, parity and stop bits each.
    qint64 byteTimeUs(qint64 bytes) const;

    friend bool operator==(const LineSettings &, const LineSettings &) = default;
};

} // namespace sim
