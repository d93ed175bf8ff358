#include "linesettings.h"

#include <QStringList>

namespace sim {

namespace {

QString stopText(int halves)
{
    return halves == 3 ? QStringLiteral("1.5") : QString::number(halves / 2);
}

} // namespace

std::optional<LineSettings> LineSettings::parse(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("any"))
        return LineSettings{};
    const QStringList f = t.split(QLatin1Char(','));
    if (f.size() > 4)
        return std::nullopt;
    LineSettings s;
    auto open = [&](int i) { return i >= f.size() || f[i].trimmed() == QLatin1String("*"); };
    bool ok = true;
    if (!open(0)) {
        s.baud = f[0].trimmed().toInt(&ok);
        if (!ok || s.baud < 50 || s.baud > 4000000)
            return std::nullopt;
    }
    if (!open(1)) {
        const QString p = f[1].trimmed();
        if (p != QLatin1String("n") && p != QLatin1String("o") && p != QLatin1String("e"))
            return std::nullopt;
        s.parity = p[0].toLatin1();
    }
    if (!open(2)) {
        s.dataBits = f[2].trimmed().toInt(&ok);
        if (!ok || s.dataBits < 5 || s.dataBits > 8)
            return std::nullopt;
    }
    if (!open(3)) {
        const QString b = f[3].trimmed();
        s.stopHalves = b == QLatin1String("1") ? 2 : b == QLatin1String("1.5") ? 3 : b == QLatin1String("2") ? 4 : 0;
        if (!s.stopHalves)
            return std::nullopt;
    }
    return s;
}

QString LineSettings::toString() const
{
    if (!anyField())
        return QStringLiteral("any");
    const QString star = QStringLiteral("*");
    return QStringList{baud ? QString::number(baud) : star,
                       parity ? QString(QLatin1Char(parity)) : star,
                       dataBits ? QString::number(dataBits) : star,
                       stopHalves ? stopText(stopHalves) : star}
        .join(QLatin1Char(','));
}

bool LineSettings::accepts(const LineSettings &other) const
{
    return (!baud || baud == other.baud) && (!parity || parity == other.parity)
           && (!dataBits || dataBits == other.dataBits) && (!stopHalves || stopHalves == other.stopHalves);
}

LineSettings LineSettings::filledFrom(const LineSettings &other) const
{
    return {baud ? baud : other.baud, parity ? parity : other.parity, dataBits ? dataBits : other.dataBits,
            stopHalves ? stopHalves : other.stopHalves};
}

qint64 LineSettings::byteTimeUs(qint64 bytes) const
{
    const LineSettings s = filledFrom(standard());
    const qint64 halfBits = 2 * (1 + s.dataBits + (s.parity == 'n' ? 0 : 1)) + s.stopHalves;
    // A rate that could not be read is taken as the standard one.
    const qint64 per = 2 * qint64(s.baud > 0 ? s.baud : standard().baud);
    return (bytes * halfBits * 1000000 + per - 1) / per;
}

} // namespace sim
