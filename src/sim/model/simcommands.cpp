#include "simcommands.h"

#include "controllermodel.h"

#include <QStringList>

#include <optional>

#include <cmath>

namespace sim {

namespace {

struct FaultName
{
    const char *name;
    quint16 bits;
    const char *meaning;
};

const FaultName kFaults[] = {
    {"hall", Fault::Hall, "hall sensor"},
    {"ov", Fault::OverVoltage, "battery over-voltage"},
    {"uv", Fault::UnderVoltage, "battery under-voltage"},
    {"oh", Fault::OverHeat, "power stage over heat"},
    {"iac", Fault::OverCurrent, "phase over-current"},
    {"load", Fault::OverLoad, "heavy load time-out"},
    {"lock", Fault::MotorLock, "motor lock time-out"},
    {"moh", Fault::MotorOverHeat, "motor over heat"},
    {"short", Fault::ThermistorShort, "motor thermistor short"},
    {"open", Fault::ThermistorOpen, "motor thermistor open"},
};

CommandResult error(const QString &text) { return {false, false, text}; }
CommandResult done(const QString &text) { return {true, false, text}; }

// A number in [lo, hi]; nullopt-like through `ok`.
double number(const QString &text, double lo, double hi, bool *ok)
{
    const double v = text.toDouble(ok);
    if (*ok && (!std::isfinite(v) || v < lo || v > hi))
        *ok = false;
    return v;
}

std::optional<bool> onOff(const QString &text)
{
    if (text == QLatin1String("on") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("off") || text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace

QString commandHelp()
{
    QString faults;
    for (const FaultName &f : kFaults)
        faults += QStringLiteral("                     %1  %2\n")
                      .arg(QString::fromLatin1(f.name).leftJustified(6), QLatin1String(f.meaning));
    return QStringLiteral(
               "  silence SECONDS    send nothing for a while (the tool goes offline)\n"
               "  corrupt            send the next block with a wrong end marker (DB)\n"
               "  garbage N          send N random bytes now (1..4096)\n"
               "  flood N            send N status blocks a second unasked, as many as the\n"
               "                     other end reads (1..1000000; 0 stops)\n"
               "  split on|off       send each reply in 2 to 4 chunks, a few ms apart\n"
               "  pace on|off        bytes take their time on the line at its settings\n"
               "  line SETTINGS|any  answer only at these line settings, for example\n"
               "                     9600,n,8,1 or 19200 (fields left out or * take any)\n"
               "  delay MS           answer MS milliseconds late (0 to stop)\n"
               "  drop FRACTION      leave out that fraction of replies, 0..1 (0 to stop)\n"
               "  throttle PERCENT   set the throttle, 0..100 (ends the ride cycle)\n"
               "  cycle on|off       ride a repeating 60 s cycle with the throttle\n"
               "  gear forward|backward|neutral\n"
               "  brake on|off\n"
               "  mode N             drive mode 1..5 (1..4 limit the speed)\n"
               "  fault NAME [SECONDS]  raise a drive fault (default 5 s):\n")
           + faults
           + QStringLiteral(
               "  status             print the state of the drive\n"
               "  stats              print the request and reply counters\n"
               "  help               this list\n"
               "  quit               stop the simulator\n");
}

CommandResult runCommand(ControllerModel &model, const QString &line, qint64 nowMs)
{
    const QStringList w = line.simplified().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (w.isEmpty())
        return done({});
    const QString &cmd = w[0];
    const QString arg = w.value(1);
    const bool hasArg = w.size() >= 2;
    bool ok = false;
    BenchVehicle &v = model.vehicle();
    model.advanceVehicle(nowMs);

    if (cmd == QLatin1String("quit") || cmd == QLatin1String("exit"))
        return {true, true, QStringLiteral("bye")};
    if (cmd == QLatin1String("help"))
        return done(commandHelp());
    if (cmd == QLatin1String("status"))
        return done(v.summary() + QLatin1Char('\n') + model.lineSummary());
    if (cmd == QLatin1String("stats")) {
        const ControllerModel::Counters &c = model.counters();
        QStringList parts;
        for (const auto &[head, n] : c.requests)
            parts << QStringLiteral("%1: %2").arg(head).arg(n);
        // Scripts read the flood count as the last word.
        return done(QStringLiteral("requests {%1}; replies %2, dropped %3, silenced %4, garbage "
                                   "bytes %5, ignored bytes %6, mismatched requests %7, flood blocks %8")
                        .arg(parts.join(QStringLiteral(", ")))
                        .arg(c.replies)
                        .arg(c.dropped)
                        .arg(c.silenced)
                        .arg(c.garbageBytes)
                        .arg(model.ignoredBytes())
                        .arg(c.mismatched)
                        .arg(c.floodBlocks));
    }
    if (cmd == QLatin1String("silence")) {
        const double s = number(arg, 0.001, 3600, &ok);
        if (!ok)
            return error(QStringLiteral("silence: give the seconds, 0.001 to 3600"));
        model.silence(qint64(std::llround(s * 1000)), nowMs);
        return done(QStringLiteral("silent for %1 s").arg(s));
    }
    if (cmd == QLatin1String("corrupt")) {
        model.corruptNextBlock();
        return done(QStringLiteral("the next block ends with DB"));
    }
    if (cmd == QLatin1String("garbage")) {
        const int n = arg.toInt(&ok);
        if (!ok || n < 1 || n > 4096)
            return error(QStringLiteral("garbage: give a byte count, 1 to 4096"));
        model.sendGarbage(n, nowMs);
        return done(QStringLiteral("%1 garbage byte(s) sent").arg(n));
    }
    if (cmd == QLatin1String("flood")) {
        const int n = arg.toInt(&ok);
        if (!ok || n < 0 || n > 1000000)
            return error(QStringLiteral("flood: give blocks a second, 0 to 1000000"));
        model.setFlood(n, nowMs);
        return done(n == 0 ? QStringLiteral("flood stopped")
                           : QStringLiteral("flooding %1 status blocks a second").arg(n));
    }
    if (cmd == QLatin1String("split")) {
        const auto on = onOff(arg);
        if (!on)
            return error(QStringLiteral("split: on or off"));
        model.setSplit(*on);
        return done(QStringLiteral("split %1").arg(*on ? QStringLiteral("on") : QStringLiteral("off")));
    }
    if (cmd == QLatin1String("pace")) {
        const auto on = onOff(arg);
        if (!on)
            return error(QStringLiteral("pace: on or off"));
        model.setPace(*on);
        return done(*on ? QStringLiteral("paced at %1").arg(model.sendingLine().toString())
                        : QStringLiteral("pace off"));
    }
    if (cmd == QLatin1String("line")) {
        const std::optional<LineSettings> s = LineSettings::parse(w.mid(1).join(QString()));
        if (!hasArg || !s)
            return error(QStringLiteral("line: any, or baud,parity,data bits,stop bits such as "
                                        "9600,n,8,1 (n/o/e, 5..8, 1/1.5/2; * or left out: any)"));
        model.setOwnLine(*s);
        return done(QStringLiteral("answering at %1").arg(s->toString()));
    }
    if (cmd == QLatin1String("delay")) {
        const int ms = arg.toInt(&ok);
        if (!ok || ms < 0 || ms > 60000)
            return error(QStringLiteral("delay: give milliseconds, 0 to 60000"));
        model.setDelayMs(ms);
        return done(QStringLiteral("replies %1 ms late").arg(ms));
    }
    if (cmd == QLatin1String("drop")) {
        const double f = number(arg, 0, 1, &ok);
        if (!ok)
            return error(QStringLiteral("drop: give a fraction, 0 to 1"));
        model.setDropFraction(f);
        return done(QStringLiteral("dropping %1% of replies").arg(f * 100));
    }
    if (cmd == QLatin1String("throttle")) {
        const double p = number(arg, 0, 100, &ok);
        if (!ok)
            return error(QStringLiteral("throttle: give a percentage, 0 to 100"));
        v.setThrottle(p);
        return done(QStringLiteral("throttle %1%").arg(p));
    }
    if (cmd == QLatin1String("cycle")) {
        const auto on = onOff(arg);
        if (!on)
            return error(QStringLiteral("cycle: on or off"));
        v.setDriveCycle(*on);
        return done(QStringLiteral("ride cycle %1").arg(*on ? QStringLiteral("on") : QStringLiteral("off")));
    }
    if (cmd == QLatin1String("gear")) {
        if (arg.startsWith(QLatin1Char('f')) && hasArg)
            v.setGear(Gear::Forward);
        else if (arg.startsWith(QLatin1Char('b')) && hasArg)
            v.setGear(Gear::Backward);
        else if (arg.startsWith(QLatin1Char('n')) && hasArg)
            v.setGear(Gear::None);
        else
            return error(QStringLiteral("gear: forward, backward or neutral"));
        return done(QStringLiteral("gear %1").arg(arg));
    }
    if (cmd == QLatin1String("brake")) {
        const auto on = onOff(arg);
        if (!on)
            return error(QStringLiteral("brake: on or off"));
        v.setBrake(*on);
        return done(QStringLiteral("brake %1").arg(*on ? QStringLiteral("on") : QStringLiteral("off")));
    }
    if (cmd == QLatin1String("mode")) {
        const int m = arg.toInt(&ok);
        if (!ok || m < 1 || m > 5)
            return error(QStringLiteral("mode: 1 to 5"));
        v.setMode(m);
        return done(QStringLiteral("mode %1").arg(m));
    }
    if (cmd == QLatin1String("fault")) {
        for (const FaultName &f : kFaults) {
            if (arg != QLatin1String(f.name))
                continue;
            double s = 5;
            if (w.size() >= 3) {
                s = number(w[2], 0.1, 3600, &ok);
                if (!ok)
                    return error(QStringLiteral("fault: seconds from 0.1 to 3600"));
            }
            v.injectFault(f.bits, qint64(std::llround(s * 1000)));
            return done(QStringLiteral("%1 fault for %2 s").arg(QLatin1String(f.meaning)).arg(s));
        }
        QStringList names;
        for (const FaultName &f : kFaults)
            names << QLatin1String(f.name);
        return error(QStringLiteral("fault: one of %1").arg(names.join(QStringLiteral(", "))));
    }
    return error(QStringLiteral("unknown command \"%1\"; type help").arg(cmd));
}

} // namespace sim
