#include "link/portsettings.h"

#include <QStringList>

std::optional<PortSettings> PortSettings::parse(const QString &text)
{
    const QStringList f = text.split(QLatin1Char(','));
    if (f.size() != 4)
        return std::nullopt;
    PortSettings s;
    bool ok = false;
    s.baudRate = f[0].trimmed().toInt(&ok);
    if (!ok || s.baudRate <= 0)
        return std::nullopt;

    const QString parity = f[1].trimmed().toLower();
    if (parity != QLatin1String("n") && parity != QLatin1String("o") && parity != QLatin1String("e"))
        return std::nullopt;
    s.parity = parity.at(0).toLatin1();

    s.dataBits = f[2].trimmed().toInt(&ok);
    if (!ok || (s.dataBits != 7 && s.dataBits != 8))
        return std::nullopt;

    const QString stop = f[3].trimmed();
    if (stop == QLatin1String("1"))
        s.stopBits = StopBits::One;
    else if (stop == QLatin1String("1.5"))
        s.stopBits = StopBits::OneAndHalf;
    else if (stop == QLatin1String("2"))
        s.stopBits = StopBits::Two;
    else
        return std::nullopt;
    return s;
}

QString PortSettings::toString() const
{
    const char *stop = stopBits == StopBits::One ? "1" : stopBits == StopBits::Two ? "2" : "1.5";
    return QStringLiteral("%1,%2,%3,%4")
        .arg(baudRate)
        .arg(QLatin1Char(parity))
        .arg(dataBits)
        .arg(QLatin1String(stop));
}

QString portNameForNumber(int number)
{
    if (number < 1 || number > 255)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

int portNumberForName(const QString &name)
{
    for (int n = 1; n <= 255; ++n) {
        if (portNameForNumber(n) == name)
            return n;
    }
    return 0;
}
