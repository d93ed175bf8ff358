#pragma once
// Which adapter sits behind a port name. A USB serial adapter that is pulled
// and plugged back often returns under another name (ttyUSB0 becomes
// ttyUSB1); its identity lets the link find it again without ever taking a
// different adapter by mistake.

#include <QList>
#include <QString>

#include <optional>

struct PortIdentity
{
    QString serialNumber;
    quint16 vendorId = 0; // 0: not known
    quint16 productId = 0;
    QString location; // the physical socket (USB bus path); empty when not known

    bool hasUsbIds() const { return vendorId != 0 || productId != 0; }
    // Enough to tell this adapter from any other one.
    bool isDistinct() const
    {
        return !serialNumber.isEmpty() || (hasUsbIds() && !location.isEmpty());
    }
    // The same adapter: same serial number (and ids when both know them),
    // or, without serial numbers, the same ids in the same socket.
    bool sameAdapterAs(const PortIdentity &other) const;
};

struct PortListing
{
    QString name;
    PortIdentity identity;
};

// The serial ports present right now.
class PortEnumerator
{
public:
    virtual ~PortEnumerator() = default;
    virtual QList<PortListing> ports() const = 0;
};

// Ports built into the machine keep their name: "COM3", "/dev/ttyS0".
bool isBuiltInPortName(const QString &name);

// Remembers the adapter that was opened, and finds it again under a new name.
class AdapterTracker
{
public:
    void setEnumerator(const PortEnumerator *enumerator) { m_enumerator = enumerator; }
    const PortEnumerator *enumerator() const { return m_enumerator; }

    // A port was opened under `name`: remember what is behind it (or forget,
    // when it cannot be told apart from other adapters).
    void opened(const QString &name);
    void forget() { m_identity.reset(); m_name.clear(); }
    std::optional<PortIdentity> identity() const { return m_identity; }

    // The name under which the remembered adapter is present now, when
    // `name` itself is not; empty when it is not there, when the name is a
    // built-in port, or when more than one port claims the identity.
    QString returnedName(const QString &name) const;

private:
    const PortEnumerator *m_enumerator = nullptr;
    std::optional<PortIdentity> m_identity;
    QString m_name;
};
