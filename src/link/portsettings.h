#pragma once
// The port settings string "9600,n,8,1" (baud, parity n/o/e, data bits 7/8,
// stop bits 1/1.5/2) and the mapping from port numbers to device names.

#include <QString>

#include <optional>

struct PortSettings
{
    enum class StopBits { One, OneAndHalf, Two };

    int baudRate = 9600;
    char parity = 'n'; // 'n', 'o' or 'e'
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    // nullopt for anything that is not four valid comma-separated fields.
    static std::optional<PortSettings> parse(const QString &text);
    QString toString() const;
};

// Port numbers 1..9 of the port dialog: COMn on Windows, /dev/ttyS(n-1)
// elsewhere. An empty string for numbers outside 1..255.
QString portNameForNumber(int number);
// The reverse, for a device given by name: 0 when the name is no numbered port.
int portNumberForName(const QString &name);

// The name of the in-process simulated controller as a port.
inline constexpr const char *kSimulatorPortName = "Simulator";
