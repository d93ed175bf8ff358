#pragma once
// The serial ports of the machine as QSerialPortInfo sees them, with the
// physical USB socket where the system tells it.

#include "link/portidentity.h"

class QtPortEnumerator : public PortEnumerator
{
public:
    QList<PortListing> ports() const override;
};
