#pragma once
// The drive on a test bench: throttle, gear and brake in; speed, currents,
// battery voltage, temperatures, state and fault words out. Stepped in fixed
// 50 ms steps of explicit time, so a run is the same for the same seed. It
// reads its limits from the stored parameter blocks, as the drive would.

#include "factoryblocks.h"
#include "simrandom.h"

#include <QString>

#include <map>

namespace sim {

enum class Gear { None = 0, PreForward = 1, Forward = 2, PreBackward = 3, Backward = 4 };

// Fault bits of the controller's error words.
namespace Fault {
inline constexpr quint16 Hall = 0x0002;
inline constexpr quint16 OverVoltage = 0x0004;
inline constexpr quint16 UnderVoltage = 0x0008;
inline constexpr quint16 OverHeat = 0x0010;
inline constexpr quint16 OverCurrent = 0x0020;
inline constexpr quint16 OverLoad = 0x0040;
inline constexpr quint16 MotorLock = 0x0080;
inline constexpr quint16 HallB = 0x0400;
inline constexpr quint16 MotorOverHeat = 0x1000;
inline constexpr quint16 ThermistorShort = 0x2000; // in the current word
inline constexpr quint16 ThermistorOpen = 0x4000;  // in the current word
} // namespace Fault

// The history word keeps the two thermistor faults the other way round.
quint16 historyBitsFor(quint16 currentWord);

class BenchVehicle
{
public:
    static constexpr qint64 kStepMs = 50;

    BenchVehicle(quint64 seed, qint64 startMs);

    // Runs the bench up to `nowMs` (never backwards).
    void advanceTo(qint64 nowMs, const BlockStore &store);
    // The live-status block DF EF for the present moment.
    RawBlock statusBlock(const BlockStore &store) const;

    // Inputs. The throttle is a percentage 0..100.
    void setThrottle(double percent);
    void setGear(Gear gear) { m_gear = gear; }
    void setBrake(bool on) { m_brake = on; }
    void setMode(int mode) { m_mode = qBound(1, mode, 5); }
    // A repeating ride: pull away, cruise, coast, brake, rest.
    void setDriveCycle(bool on);
    // Iq test mode of the power stage: amplitude in A (0 ends the run) and
    // the electrical angle step per PWM period.
    void setAging(double amps, int angleStep);
    void setAngleStep(int angleStep) { m_angleStep = angleStep; }
    void setTestFlags(bool openLoop, bool lock, bool iqClosedLoop);
    void setHallTest(bool running) { m_hallTest = running; }
    // A fault that stays for `durationMs` in the current word.
    void injectFault(quint16 bits, qint64 durationMs);
    // Mean seconds between spontaneous faults; 0 for none.
    void setSpontaneousFaults(int meanSeconds);
    // The drive shows PARASET for a moment after a parameter write.
    void noteParameterWrite() { m_paraSetUntil = m_timeMs + 500; }

    // Readings, for the bench's own report and the tests.
    double throttle() const { return m_throttle; }
    bool driveCycle() const { return m_cycle; }
    Gear gear() const { return m_gear; }
    bool brake() const { return m_brake; }
    int mode() const { return m_mode; }
    double speed() const { return m_speed; }
    double dcCurrent() const { return m_idc; }
    double batteryVoltage() const { return m_vdc; }
    double powerTemp() const { return m_powerTemp; }
    double motorTemp() const { return m_motorTemp; }
    double iqActual() const { return m_iqAct; }
    bool agingOn() const { return m_agingAmps > 0; }
    bool hallTestRunning() const { return m_hallTest; }
    quint16 currentErrors() const { return m_currentErrors; }
    quint16 historyErrors() const { return m_historyErrors; }
    int stateWord() const;
    qint64 time() const { return m_timeMs; }
    QString summary() const;

private:
    struct Limits;
    Limits limits(const BlockStore &store) const;
    void step(const Limits &lim);
    double cycleThrottle() const;
    void updateFaults(const Limits &lim);

    SimRandom m_rng;
    qint64 m_startMs;
    qint64 m_timeMs;

    double m_throttle = 0;
    bool m_cycle = false;
    qint64 m_cycleStartMs = 0;
    Gear m_gear = Gear::Forward;
    bool m_brake = false;
    bool m_cycleBrake = false;
    int m_mode = 4;
    double m_agingAmps = 0;
    int m_angleStep = 0;
    bool m_openLoop = false;
    bool m_lock = false;
    bool m_iqClosedLoop = false;
    bool m_hallTest = false;

    double m_speed = 0;
    double m_iqRef = 0, m_iqAct = 0, m_idRef = 0, m_idAct = 0;
    double m_idc = 0.25;
    double m_ocv = 79.2;
    double m_vdc = 79.2;
    double m_ambient = 24;
    double m_powerTemp = 24;
    double m_motorTemp = 24;
    double m_angle = 0;

    std::map<quint16, qint64> m_transient; // fault bit -> until
    bool m_overHeat = false, m_motorOverHeat = false, m_under = false, m_over = false;
    quint16 m_currentErrors = 0;
    quint16 m_historyErrors = 0;
    qint64 m_waitUntil = 0;
    qint64 m_paraSetUntil = 0;
    int m_faultMeanS = 0;
    qint64 m_nextFaultMs = 0;
};

} // namespace sim
