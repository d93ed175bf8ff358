#include "link/portidentity.h"

#include <QRegularExpression>

bool PortIdentity::sameAdapterAs(const PortIdentity &other) const
{
    if (!isDistinct() || !other.isDistinct())
        return false;
    const bool idsAgree = !hasUsbIds() || !other.hasUsbIds()
                          || (vendorId == other.vendorId && productId == other.productId);
    if (!serialNumber.isEmpty() || !other.serialNumber.isEmpty())
        return serialNumber == other.serialNumber && idsAgree;
    return hasUsbIds() && other.hasUsbIds() && idsAgree && location == other.location;
}

bool isBuiltInPortName(const QString &name)
{
    static const QRegularExpression builtIn(QStringLiteral(R"(^(?:/dev/ttyS\d+|ttyS\d+|COM\d+)$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return builtIn.match(name).hasMatch();
}

// "ttyUSB0" and "/dev/ttyUSB0" name the same port.
static bool samePortName(const QString &a, const QString &b)
{
    const QString dev = QStringLiteral("/dev/");
    const auto plain = [&](const QString &n) { return n.startsWith(dev) ? n.mid(dev.size()) : n; };
    return plain(a) == plain(b);
}

void AdapterTracker::opened(const QString &name)
{
    forget();
    if (!m_enumerator || isBuiltInPortName(name))
        return;
    for (const PortListing &p : m_enumerator->ports()) {
        if (samePortName(p.name, name) && p.identity.isDistinct()) {
            m_identity = p.identity;
            m_name = name;
            return;
        }
    }
}

QString AdapterTracker::returnedName(const QString &name) const
{
    if (!m_enumerator || !m_identity || isBuiltInPortName(name))
        return {};
    QString found;
    for (const PortListing &p : m_enumerator->ports()) {
        if (samePortName(p.name, name))
            return {}; // the name is back: nothing to look for
        if (isBuiltInPortName(p.name) || !p.identity.sameAdapterAs(*m_identity))
            continue;
        if (!found.isEmpty() && !samePortName(found, p.name))
            return {}; // two ports claim to be the one adapter: take neither
        found = p.name;
    }
    return found;
}
