#include "benchvehicle.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace sim {

quint16 historyBitsFor(quint16 current)
{
    quint16 h = current & ~(Fault::ThermistorShort | Fault::ThermistorOpen);
    if (current & Fault::ThermistorShort)
        h |= Fault::ThermistorOpen;
    if (current & Fault::ThermistorOpen)
        h |= Fault::ThermistorShort;
    return h;
}

namespace {

// PWM frequency of the power stage, for the angle step of the Iq test.
constexpr double kPwmHz = 12500;
// Back-EMF constant: about 65 V at 1200 rpm.
constexpr double kVoltsPerRpm = 0.054;
constexpr double kBatteryOhms = 0.06;
constexpr double kPowerStageTau = 100; // s
constexpr double kMotorTau = 300;      // s

const quint8 kHallSequence[6] = {1, 3, 2, 6, 4, 5};

double rampTowards(double value, double target, double maxStep)
{
    if (target > value)
        return std::min(target, value + maxStep);
    return std::max(target, value - maxStep);
}

double sign(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

} // namespace

struct BenchVehicle::Limits
{
    double maxSpeed, backSpeed, modeSpeed, maxIq;
    double polePairs;
    double fluxSwitch, idMax;
    double overV, overVRecover, underV, underVRecover;
    double powerOh, powerRecover, motorOh, motorRecover;
    double throttleLow, throttleHigh;
    double hallCurrent;
};

BenchVehicle::Limits BenchVehicle::limits(const BlockStore &store) const
{
    auto block = [&](quint8 c) -> const RawBlock & { return store.at(c); };
    Limits l{};
    const RawBlock &basic = block(kBasicCommand);
    l.maxSpeed = std::max(1, getU16(basic, 2));
    l.backSpeed = getU16(basic, 4);
    l.maxIq = std::max(1, getU16(basic, 29));
    const RawBlock &modes = block(kModeSetCommand);
    l.modeSpeed = m_mode <= 4 ? std::max(1, int(modes[1 + m_mode])) * 10.0 : l.maxSpeed;
    const RawBlock &motor = block(kMotorCommand);
    l.polePairs = std::max(1, int(motor[2]));
    l.motorOh = motor[15];
    l.motorRecover = std::min<double>(motor[17], l.motorOh - 5);
    l.hallCurrent = std::max(1, int(motor[21]));
    const RawBlock &derate = block(kDerateCommand);
    l.fluxSwitch = derate[30] * 100.0;
    l.idMax = derate[28];
    const RawBlock &ref = block(kReferenceCommand);
    l.overV = getU16(ref, 2) / 100.0;
    l.overVRecover = std::min(getU16(ref, 4) / 100.0, l.overV);
    l.underV = getU16(ref, 6) / 100.0;
    l.underVRecover = std::max(getU16(ref, 8) / 100.0, l.underV);
    const RawBlock &prot = block(kProtectionCommand);
    l.powerOh = prot[9];
    l.powerRecover = std::min<double>(prot[10], l.powerOh - 5);
    const RawBlock &other = block(kOtherCommand);
    l.throttleLow = getU16(other, 9) / 10000.0;
    l.throttleHigh = getU16(other, 11) / 10000.0;
    return l;
}

BenchVehicle::BenchVehicle(quint64 seed, qint64 startMs)
    : m_rng(seed), m_startMs(startMs), m_timeMs(startMs)
{
    m_ambient = 22 + m_rng.uniform() * 4;
    m_powerTemp = m_ambient + 2;
    m_motorTemp = m_ambient;
    m_ocv = 78.8 + m_rng.uniform() * 0.8;
    m_vdc = m_ocv;
    m_angle = m_rng.uniform() * 360;
}

void BenchVehicle::setThrottle(double percent)
{
    m_throttle = qBound(0.0, percent, 100.0);
    m_cycle = false;
    m_cycleBrake = false;
}

void BenchVehicle::setDriveCycle(bool on)
{
    m_cycle = on;
    m_cycleStartMs = m_timeMs;
    m_cycleBrake = false;
    if (!on)
        m_throttle = 0;
}

void BenchVehicle::setAging(double amps, int angleStep)
{
    m_agingAmps = std::max(0.0, amps);
    m_angleStep = angleStep;
}

void BenchVehicle::setTestFlags(bool openLoop, bool lock, bool iqClosedLoop)
{
    m_openLoop = openLoop;
    m_lock = lock;
    m_iqClosedLoop = iqClosedLoop;
}

void BenchVehicle::injectFault(quint16 bits, qint64 durationMs)
{
    for (int b = 0; b < 16; ++b) {
        if (bits & (1u << b))
            m_transient[quint16(1u << b)] = m_timeMs + durationMs;
    }
    // Shown from this moment, not from the next step.
    m_currentErrors |= bits;
    m_historyErrors |= historyBitsFor(bits);
}

void BenchVehicle::setSpontaneousFaults(int meanSeconds)
{
    m_faultMeanS = std::max(0, meanSeconds);
    m_nextFaultMs = m_timeMs + qint64(m_faultMeanS * (0.5 + m_rng.uniform()) * 1000);
}

// One ride every 60 s: rest, pull away, cruise, ease off, coast, brake, rest.
double BenchVehicle::cycleThrottle() const
{
    static const double points[][2] = {{0, 0},   {8, 0},   {12, 70}, {22, 70}, {26, 35},
                                       {40, 35}, {44, 0},  {60, 0}};
    const double t = std::fmod((m_timeMs - m_cycleStartMs) / 1000.0, 60.0);
    for (int i = 1; i < 8; ++i) {
        if (t <= points[i][0]) {
            const double f = (t - points[i - 1][0]) / (points[i][0] - points[i - 1][0]);
            return points[i - 1][1] + f * (points[i][1] - points[i - 1][1]);
        }
    }
    return 0;
}

void BenchVehicle::advanceTo(qint64 nowMs, const BlockStore &store)
{
    // After a long pause (a suspended process) only the last ten minutes count.
    if (nowMs - m_timeMs > 600000)
        m_timeMs = nowMs - 600000;
    if (m_timeMs + kStepMs > nowMs)
        return;
    const Limits lim = limits(store);
    while (m_timeMs + kStepMs <= nowMs) {
        m_timeMs += kStepMs;
        step(lim);
    }
}

void BenchVehicle::step(const Limits &lim)
{
    const double dt = kStepMs / 1000.0;
    if (m_cycle) {
        m_throttle = cycleThrottle();
        const double t = std::fmod((m_timeMs - m_cycleStartMs) / 1000.0, 60.0);
        m_cycleBrake = t >= 44 && t < 47;
    }
    const bool braking = m_brake || m_cycleBrake;
    const bool starting = m_timeMs - m_startMs < 1000;
    const bool enabled = !starting && m_currentErrors == 0;
    const double p = m_throttle / 100.0;
    const int dir = m_gear == Gear::Forward ? 1 : m_gear == Gear::Backward ? -1 : 0;
    const bool aging = m_agingAmps > 0 && enabled;

    // Torque current command.
    double iqCmd = 0;
    double idCmd = 0;
    if (!enabled) {
        iqCmd = 0;
    } else if (aging) {
        iqCmd = m_agingAmps;
    } else if (m_hallTest) {
        iqCmd = qBound(0.0, 0.4 * (40 - m_speed), lim.hallCurrent);
    } else if (dir != 0 && p > 0 && !braking) {
        const double limit = dir > 0 ? std::min(lim.maxSpeed, lim.modeSpeed) : lim.backSpeed;
        const double err = dir * p * limit - m_speed;
        iqCmd = dir > 0 ? qBound(-0.3 * lim.maxIq, 0.4 * err, p * lim.maxIq)
                        : qBound(-p * lim.maxIq, 0.4 * err, 0.3 * lim.maxIq);
        if (std::abs(m_speed) > lim.fluxSwitch && lim.fluxSwitch > 0)
            idCmd = -std::min(lim.idMax, (std::abs(m_speed) - lim.fluxSwitch) * 0.1);
    } else if (std::abs(m_speed) > 30) {
        // Throttle released or brake: regenerate gently.
        iqCmd = -sign(m_speed) * std::min(braking ? 40.0 : 15.0, std::abs(m_speed) * 0.05);
    }
    m_iqRef = rampTowards(m_iqRef, iqCmd, 500 * dt);
    m_idRef = rampTowards(m_idRef, idCmd, 200 * dt);
    m_iqAct += (m_iqRef - m_iqAct) * 0.6 + m_rng.noise(0.8);
    m_idAct += (m_idRef - m_idAct) * 0.6 + m_rng.noise(0.5);
    if (m_iqRef == 0 && std::abs(m_iqAct) < 1.5)
        m_iqAct = 0;
    if (m_idRef == 0 && std::abs(m_idAct) < 1.0)
        m_idAct = 0;

    // Shaft.
    if (aging) {
        const double rpm = (m_lock || m_angleStep <= 0)
                               ? 0
                               : m_angleStep / 65536.0 * kPwmHz * 60 / lim.polePairs;
        m_speed = rampTowards(m_speed, rpm, 200 * dt);
    } else {
        double load = 0;
        if (std::abs(m_speed) > 0.5)
            load = sign(m_speed) * (4 + 60 * std::pow(m_speed / 1200, 2) + (braking ? 40 : 0));
        double accel = (m_iqAct - load) * 8;
        if (std::abs(m_speed) <= 0.5 && std::abs(m_iqAct) < 3)
            accel = 0; // stiction
        const double before = m_speed;
        m_speed += accel * dt;
        if (std::abs(m_iqAct) < 3 && sign(before) != sign(m_speed))
            m_speed = 0; // friction stops the wheel, it does not turn it back
    }
    m_angle = std::fmod(m_angle + m_speed / 60 * lim.polePairs * 360 * dt + 360, 360);

    // Battery.
    const double copper = aging ? 0.01 * m_agingAmps * m_agingAmps
                                : 0.015 * (m_iqAct * m_iqAct + m_idAct * m_idAct);
    const double shaft = m_speed * kVoltsPerRpm * m_iqAct * 0.75;
    m_idc = (shaft + copper) / std::max(40.0, m_vdc) + 0.25 + m_rng.noise(0.05);
    m_ocv = std::max(62.0, m_ocv - m_idc * dt / 3600 * 0.25);
    m_vdc = m_ocv - m_idc * kBatteryOhms + m_rng.noise(0.02);

    // Heat: the power stage follows its losses with a time constant of
    // 100 s; an Iq test run drives it far beyond what riding does.
    const double i2 = aging ? m_agingAmps * m_agingAmps : m_iqAct * m_iqAct + m_idAct * m_idAct;
    const double powerTarget = m_ambient + (aging ? 120 + 0.25 * m_agingAmps : 0.012 * i2);
    m_powerTemp += (powerTarget - m_powerTemp) * dt / kPowerStageTau;
    // An Iq test drives the power stage, not the motor: a locked or crawling
    // motor takes little of it.
    const double motorTarget = m_ambient + (aging ? 0.0004 : 0.01) * i2;
    m_motorTemp += (motorTarget - m_motorTemp) * dt / kMotorTau;

    updateFaults(lim);
}

void BenchVehicle::updateFaults(const Limits &lim)
{
    // Protections with hysteresis.
    if (m_powerTemp >= lim.powerOh)
        m_overHeat = true;
    else if (m_powerTemp <= lim.powerRecover)
        m_overHeat = false;
    if (m_motorTemp >= lim.motorOh)
        m_motorOverHeat = true;
    else if (m_motorTemp <= lim.motorRecover)
        m_motorOverHeat = false;
    if (m_vdc < lim.underV)
        m_under = true;
    else if (m_vdc >= lim.underVRecover)
        m_under = false;
    if (m_vdc > lim.overV)
        m_over = true;
    else if (m_vdc <= lim.overVRecover)
        m_over = false;

    // Now and then a fault of the kind a drive on the bench shows.
    if (m_faultMeanS > 0 && m_timeMs >= m_nextFaultMs) {
        static const quint16 kinds[] = {Fault::Hall,        Fault::HallB,          Fault::OverCurrent,
                                        Fault::OverLoad,    Fault::ThermistorOpen, Fault::ThermistorShort,
                                        Fault::MotorLock};
        const quint16 bit = kinds[m_rng.between(0, int(std::size(kinds)) - 1)];
        injectFault(bit, m_rng.between(2000, 6000));
        m_nextFaultMs = m_timeMs + qint64(m_faultMeanS * (0.5 + m_rng.uniform()) * 1000);
    }

    quint16 word = 0;
    for (auto it = m_transient.begin(); it != m_transient.end();) {
        if (it->second <= m_timeMs) {
            it = m_transient.erase(it);
        } else {
            word |= it->first;
            ++it;
        }
    }
    if (m_overHeat)
        word |= Fault::OverHeat;
    if (m_motorOverHeat)
        word |= Fault::MotorOverHeat;
    if (m_under)
        word |= Fault::UnderVoltage;
    if (m_over)
        word |= Fault::OverVoltage;
    if (m_currentErrors != 0 && word == 0)
        m_waitUntil = m_timeMs + 1000;
    m_currentErrors = word;
    m_historyErrors |= historyBitsFor(word);
}

int BenchVehicle::stateWord() const
{
    if (m_timeMs - m_startMs < 1000)
        return 1; // STARTUP
    if (m_paraSetUntil > m_timeMs)
        return 2; // PARASET
    if (m_currentErrors != 0)
        return 6; // FAULT
    if (m_waitUntil > m_timeMs)
        return 5; // WAIT
    const bool driving = m_throttle > 0 && (m_gear == Gear::Forward || m_gear == Gear::Backward);
    if (driving || m_agingAmps > 0 || m_hallTest)
        return 3; // RUN
    if (std::abs(m_speed) >= 1)
        return 4; // STOP: rolling out
    return 0;     // IDLE
}

RawBlock BenchVehicle::statusBlock(const BlockStore &store) const
{
    const Limits lim = limits(store);
    const bool braking = m_brake || m_cycleBrake;
    RawBlock b = makeRaw(0xDF, 0xEF);
    putU16(b, 2, int(std::lround(m_vdc * 100)));
    putSm16(b, 4, int(std::lround(m_idc * 100)));
    putSm16(b, 6, int(std::lround(m_speed)));
    putU8(b, 8, int(std::lround(m_powerTemp)) + 10);

    const RawBlock &motor = store.at(kMotorCommand);
    const bool hallGroupA = motor[30] == 0 || store.at(kIdcCommand)[kIdcTypeByte] == 3;
    quint8 bits = 0;
    if (m_gear == Gear::Forward)
        bits |= 0x01;
    if (m_gear == Gear::Backward)
        bits |= 0x02;
    if (m_hallTest)
        bits |= 0x04;
    if (m_currentErrors != 0)
        bits |= 0x08;
    if (braking)
        bits |= 0x10;
    if (m_mode == 1)
        bits |= 0x20;
    if (hallGroupA)
        bits |= 0x40;
    b[9] = bits;
    putU16(b, 10, m_historyErrors);
    putU8(b, 12, int(std::lround(std::max(0.0, m_motorTemp) / 2)));
    putSm16(b, 13, int(std::lround(m_iqRef)));

    double throttleV = 0.85;
    if (m_throttle > 0)
        throttleV = lim.throttleLow + m_throttle / 100 * (lim.throttleHigh - lim.throttleLow);
    putU16(b, 15, int(std::lround(throttleV * 10000)));

    quint8 inputs = 0;
    if (m_gear == Gear::Forward || m_gear == Gear::PreForward)
        inputs |= 0x01;
    if (m_gear == Gear::Backward || m_gear == Gear::PreBackward)
        inputs |= 0x02;
    if (m_mode == 1)
        inputs |= 0x04;
    if (braking)
        inputs |= 0x30;
    b[17] = inputs;
    b[18] = quint8(stateWord());
    putU16(b, 19, m_currentErrors);
    putSm16(b, 21, int(std::lround(m_iqAct)));
    putSm16(b, 23, int(std::lround(m_idRef)));
    putSm16(b, 25, int(std::lround(m_idAct)));
    b[28] = quint8(m_gear);
    const bool hallBroken = m_currentErrors & (Fault::Hall | Fault::HallB);
    b[29] = hallBroken ? 7 : kHallSequence[int(m_angle / 60) % 6];
    b[30] = quint8(m_mode);
    return b;
}

QString BenchVehicle::summary() const
{
    static const char *gears[] = {"none", "pre-forward", "forward", "pre-backward", "backward"};
    static const char *states[] = {"IDLE", "STARTUP", "PARASET", "RUN", "STOP", "WAIT", "FAULT"};
    QStringList parts;
    parts << QStringLiteral("state %1").arg(QLatin1String(states[stateWord()]))
          << QStringLiteral("throttle %1%%2").arg(m_throttle, 0, 'f', 0).arg(m_cycle ? QStringLiteral(" (ride cycle)") : QString())
          << QStringLiteral("gear %1").arg(QLatin1String(gears[int(m_gear)]))
          << QStringLiteral("mode %1").arg(m_mode)
          << QStringLiteral("brake %1").arg(m_brake ? QStringLiteral("on") : QStringLiteral("off"))
          << QStringLiteral("%1 rpm").arg(m_speed, 0, 'f', 0)
          << QStringLiteral("%1 V").arg(m_vdc, 0, 'f', 2)
          << QStringLiteral("%1 A").arg(m_idc, 0, 'f', 2)
          << QStringLiteral("power stage %1 C").arg(m_powerTemp, 0, 'f', 1)
          << QStringLiteral("motor %1 C").arg(m_motorTemp, 0, 'f', 1)
          << QStringLiteral("errors %1 (history %2)")
                 .arg(m_currentErrors, 4, 16, QLatin1Char('0'))
                 .arg(m_historyErrors, 4, 16, QLatin1Char('0'));
    if (m_agingAmps > 0)
        parts << QStringLiteral("Iq test %1 A").arg(m_agingAmps, 0, 'f', 0);
    if (m_hallTest)
        parts << QStringLiteral("hall test running");
    return parts.join(QStringLiteral(", "));
}

} // namespace sim
