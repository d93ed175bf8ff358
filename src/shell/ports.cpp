#include "shell/ports.h"

#include "link/qtserialport.h"
#include "sim/model/simline.h"
#include "sim/simulatorport.h"

LinkController::PortFactory portFactory(int simulatorType, bool ridesCycle)
{
    auto simulator = std::make_shared<std::shared_ptr<sim::SimLine>>();
    return [simulator, simulatorType, ridesCycle](const QString &name) -> std::unique_ptr<SerialPort> {
        if (name != QLatin1String(kSimulatorPortName))
            return std::make_unique<QtSerialPort>();
        if (!*simulator) {
            sim::SimOptions simOptions;
            simOptions.controllerType = simulatorType;
            simOptions.faultEverySeconds = ridesCycle ? 120 : 0;
            *simulator = std::make_shared<sim::SimLine>(simOptions);
            (*simulator)->model().vehicle().setDriveCycle(ridesCycle);
        }
        return std::make_unique<SimulatorPort>(*simulator);
    };
}
