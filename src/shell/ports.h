#pragma once
// The ports by name, for the window and the command line alike: the port
// named "Simulator" is the built-in simulated controller, any other name a
// serial port.

#include "link/linkcontroller.h"

// The simulated controller is made on first use and kept as long as the
// factory, so what is written to it survives closing and reopening the
// port. `ridesCycle`: its vehicle rides the throttle cycle (the demo).
LinkController::PortFactory portFactory(int simulatorType, bool ridesCycle = true);
