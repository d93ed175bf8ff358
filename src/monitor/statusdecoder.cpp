#include "monitor/statusdecoder.h"

#include "core/appstate.h"
#include "core/language.h"

#include <QCoreApplication>

const std::array<FaultRow, 11> kFaultRows{{
    {"lblfrmErrHall", "lblfrmErrHallC", "lblfrmErrHallH", "lblfrmErrHallD", 0x0402, 0x0402,
     QT_TRANSLATE_NOOP3("frmMain", "Hall", "fault row"),
     QT_TRANSLATE_NOOP3("frmMain", "Hall sensor is error", "")},
    {"lblfrmErrUV", "lblfrmErrUVC", "lblfrmErrUVH", "lblfrmErrUVD", 0x0008, 0x0008,
     QT_TRANSLATE_NOOP3("frmMain", "Under vdc", ""),
     QT_TRANSLATE_NOOP3("frmMain", "Battery voltage is too low", "")},
    {"lblfrmErrOV", "lblfrmErrOVC", "lblfrmErrOVH", "lblfrmErrOVD", 0x0004, 0x0004,
     QT_TRANSLATE_NOOP3("frmMain", "Over vdc", ""),
     QT_TRANSLATE_NOOP3("frmMain", "Battery voltage is too high", "")},
    {"lblfrmErrOH", "lblfrmErrOHC", "lblfrmErrOHH", "lblfrmErrOHD", 0x0010, 0x0010,
     QT_TRANSLATE_NOOP3("frmMain", "Over heat", ""),
     QT_TRANSLATE_NOOP3("frmMain", "The controller is over heat", "")},
    {"lblfrmErrOIac", "lblfrmErrOIacC", "lblfrmErrOIacH", "lblfrmErrOIacD", 0x0020, 0x0020,
     QT_TRANSLATE_NOOP3("frmMain", "Over iac", ""),
     QT_TRANSLATE_NOOP3("frmMain", "The controller is over current", "")},
    {"lblfrmErrDQtime", "lblfrmErrDQtimeC", "lblfrmErrDQtimeH", "lblfrmErrDQtimeD", 0x0040, 0x0040,
     QT_TRANSLATE_NOOP3("frmMain", "Over load", ""),
     QT_TRANSLATE_NOOP3("frmMain", "Heavy load run time out", "")},
    {"lblfrmErrLockM", "lblfrmErrLockMC", "lblfrmErrLockMH", "lblfrmErrLockMD", 0x0080, 0x0080,
     QT_TRANSLATE_NOOP3("frmMain", "Motor lock", ""),
     QT_TRANSLATE_NOOP3("frmMain", "Motor lock time out", "")},
    {"lblfrmErrMOH", "lblfrmErrMOHC", "lblfrmErrMOHH", "lblfrmErrMOHD", 0x1000, 0x1000,
     QT_TRANSLATE_NOOP3("frmMain", "Motor OH", ""),
     QT_TRANSLATE_NOOP3("frmMain", "The motor is over heat", "")},
    {"lblfrmErrMSShort", "lblfrmErrMSShortC", "lblfrmErrMSShortH", "lblfrmErrMSShortD", 0x2000, 0x4000,
     QT_TRANSLATE_NOOP3("frmMain", "MS short", ""),
     QT_TRANSLATE_NOOP3("frmMain", "The motor thermistor is short", "")},
    {"lblfrmErrMSOpen", "lblfrmErrMSOpenC", "lblfrmErrMSOpenH", "lblfrmErrMSOpenD", 0x4000, 0x2000,
     QT_TRANSLATE_NOOP3("frmMain", "MS open", ""),
     QT_TRANSLATE_NOOP3("frmMain", "The motor thermistor is open", "")},
    {"lblfrmErrBMS", "lblfrmErrBMSC", "lblfrmErrBMSH", "lblfrmErrBMSD", 0x0000, 0x0000,
     QT_TRANSLATE_NOOP3("frmMain", "BMS Err", ""),
     QT_TRANSLATE_NOOP3("frmMain", "BMS error stop", "")},
}};

const std::array<const char *, 19> kStatusValueLabels{
    "lblfrmSysStatusVdc_a",   "lblfrmSysStatusIdc_a",   "lblfrmSysStatusRPM_a",
    "lblfrmSysStatusVthrot_a", "lblfrmSysStatustemp_a", "lblfrmSysStatusBrake_a",
    "lblfrmSysStatusTref_a",  "lblfrmSysStatusTact_a",  "lblfrmSysStatusDir_a",
    "lblfrmSysStatusHallC_a", "lblfrmSysStatusAlarm_a", "lblfrmSysStatusHallP_a",
    "lblfrmSysStatusEco_a",   "lblIdactual_a",          "lblIdref_a",
    "lblfrmSysStatusBoost_a", "lblHallSt_a",            "lblMode_a",
    "lblECO_a"};

const StatusView::Label *StatusView::label(const char *name) const
{
    for (const Label &l : labels)
        if (qstrcmp(l.name, name) == 0)
            return &l;
    return nullptr;
}

QString StatusView::text(const char *name) const
{
    const Label *l = label(name);
    return l ? l->text : QString();
}

bool StatusView::isVisible(const char *name) const
{
    for (const Visibility &v : visibility)
        if (qstrcmp(v.name, name) == 0)
            return v.visible;
    return false;
}

namespace {
int u16(const Block &b, int lo)
{
    return b[lo + 1] * 256 + b[lo];
}

// Sign-magnitude, low byte first. The sign bit is cleared in the buffer.
int sm16(Block &b, int lo)
{
    const bool negative = b[lo + 1] & 0x80;
    b[lo + 1] &= 0x7F;
    const int magnitude = u16(b, lo);
    return negative ? -magnitude : magnitude;
}

// Hundredths as a plain decimal without trailing zeros: 1250 -> "12.5",
// -300 -> "-3", 5 -> "0.05".
QString plainHundredths(int v)
{
    if (v == 0)
        return QStringLiteral("0");
    const QString sign = v < 0 ? QStringLiteral("-") : QString();
    const int a = std::abs(v);
    QString text = sign + QString::number(a / 100);
    const int frac = a % 100;
    if (frac != 0) {
        QString digits = QStringLiteral("%1").arg(frac, 2, 10, QLatin1Char('0'));
        if (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return text;
}

// Always two decimals: 4825 -> "48.25", 0 -> "0.00".
QString fixedHundredths(int v)
{
    return QStringLiteral("%1.%2").arg(v / 100).arg(v % 100, 2, 10, QLatin1Char('0'));
}

QString text(int languageCode, const char *source)
{
    return bilingual(languageCode, "Status", source);
}

const char *const kIoLinePrefixes[6] = {
    QT_TRANSLATE_NOOP("Status", "  --  Input Forward: "),
    QT_TRANSLATE_NOOP("Status", "  --  Input Backward: "),
    QT_TRANSLATE_NOOP("Status", "  --  Input Eco  : "),
    QT_TRANSLATE_NOOP("Status", "  --  Input BrakeL: "),
    QT_TRANSLATE_NOOP("Status", "  --  Input BrakeH: "),
    QT_TRANSLATE_NOOP("Status", "  --  Input Boost : "),
};
const char *const kIoEcoInitialPrefix = QT_TRANSLATE_NOOP("Status", "  --  Input Eco   : ");
const quint8 kIoLineBits[6] = {0x01, 0x02, 0x04, 0x10, 0x20, 0x80};

QString ioText(quint8 levels, int code, bool initial)
{
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return {};
    const QString high = bilingual(code, "Status", TrText QT_TRANSLATE_NOOP3("Status", "H", "input level high"));
    const QString low = bilingual(code, "Status", TrText QT_TRANSLATE_NOOP3("Status", "L", "input level low"));
    QString s = QStringLiteral(" \r\n  ") + text(code, QT_TRANSLATE_NOOP("Status", "I/O STATUS:"));
    for (int i = 0; i < 6; ++i) {
        const char *prefix = (initial && i == 2) ? kIoEcoInitialPrefix : kIoLinePrefixes[i];
        s += QStringLiteral("\r\n") + text(code, prefix) + ((levels & kIoLineBits[i]) ? high : low);
    }
    return s;
}

const char *const kGearWords[] = {"NONE", "PRE F", "FORWARD", "PRE B", "BACKWARD"};
const char *const kStateWords[] = {"IDLE", "STARTUP", "PARASET", "RUN", "STOP", "WAIT", "FAULT"};
} // namespace

QString ioStatusText(quint8 levels, int languageCode)
{
    return ioText(levels, languageCode, false);
}

QString ioStatusInitialText(int languageCode)
{
    return ioText(0xFF, languageCode, true);
}

QString minutesSeconds(qint64 seconds)
{
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

StatusView decodeStatus(AppState &state, const QDateTime &now)
{
    Block &b = state.frames.statusFrame();
    LiveValues &live = state.recorder.live;
    StatusView v;
    auto set = [&v](const char *name, const QString &t, int color = -1) {
        v.labels.push_back({name, t, color});
    };

    const int vdc = u16(b, 2);
    live.batteryVoltage = vdc / 100.0;
    set("lblfrmSysStatusVdc_a", fixedHundredths(vdc));

    set("lblfrmSysStatusIdc_a", plainHundredths(sm16(b, 4)));

    // A code without a word shows its number, never the word of an older block.
    const quint8 gear = b[28];
    set("lblgearStatus",
        gear < std::size(kGearWords) ? QString::fromLatin1(kGearWords[gear]) : QString::number(gear));

    const int speed = sm16(b, 6);
    live.lastSpeed = speed;
    set("lblfrmSysStatusRPM_a", QString::number(speed));

    const int powerTemp = int(b[8]) - 10;
    live.lastPowerTemp = powerTemp;
    if (state.iqTest.tempAlertArmed && powerTemp >= 100) {
        state.iqTest.tempAlertArmed = false;
        v.alertFired = true;
        v.alertStopTime = now;
        v.alertElapsedSeconds =
            state.iqTest.iqTestStartTime.isValid() ? std::max<qint64>(0, state.iqTest.iqTestStartTime.secsTo(now)) : 0;
    }
    set("lblfrmSysStatustemp_a", QString::number(powerTemp));

    const quint8 bits = b[9];
    auto flag = [bits](quint8 mask, const char *on, const char *off) {
        return QString::fromLatin1((bits & mask) ? on : off);
    };
    set("lblfrmSysStatusEco_a", flag(0x01, "F", "Null"));
    set("lblfrmSysStatusDir_a", flag(0x02, "B", "Null"));
    set("lblfrmSysStatusHallC_a", flag(0x04, "Y", "N"));
    set("lblfrmSysStatusAlarm_a", flag(0x08, "Y", "N"));
    set("lblfrmSysStatusBrake_a", flag(0x10, "Y", "N"));
    set("lblECO_a", flag(0x20, "Y", "N"));
    set("lblHallGroup", flag(0x40, "1", "2"));
    set("lblfrmSysStatusBoost_a", flag(0x80, "Y", "N"));

    const int motorTemp = b[12] * 2;
    live.lastMotorTemp = motorTemp;
    set("lblfrmSysStatusVthrot_a", QString::number(motorTemp));

    set("lblfrmSysStatusTref_a", QString::number(sm16(b, 13)));
    const int iqActual = sm16(b, 21);
    live.lastIqActual = iqActual;
    set("lblfrmSysStatusTact_a", QString::number(iqActual));
    set("lblIdref_a", QString::number(sm16(b, 23)));
    set("lblIdactual_a", QString::number(sm16(b, 25)));

    set("lblPedalErr", QString::number(b[28]));
    set("lblHallSt_a", QString::number(b[29]));
    set("lblMode_a", QString::number(b[30]));

    // Tenths of a millivolt to thousandths of a volt, half away from zero.
    const int thousandths = (u16(b, 15) + 5) / 10;
    live.lastThrottle = thousandths / 1000.0;
    set("lblfrmSysStatusHallP_a",
        QStringLiteral("%1.%2").arg(thousandths / 1000).arg(thousandths % 1000, 3, 10, QLatin1Char('0')));

    const quint8 machine = b[18];
    set("lblfrmSysMach_a",
        machine < std::size(kStateWords) ? QString::fromLatin1(kStateWords[machine])
                                         : QString::number(machine),
        machine == 6 ? kColorRedBgr : kColorGreenBgr);

    const QString io = ioStatusText(b[17], state.languageCode);
    if (!io.isNull())
        set("lblPortStatus", io);

    const quint16 history = quint16(u16(b, 10));
    live.lastErrorWord = history;
    auto cell = [](bool fault) {
        return std::pair{fault ? QStringLiteral("NG") : QStringLiteral("OK"),
                         fault ? kColorRedBgr : kColorGreenBgr};
    };
    for (const FaultRow &row : kFaultRows) {
        if (row.historyMask == 0)
            continue;
        const auto [t, c] = cell(history & row.historyMask);
        set(row.historyCell, t, c);
    }

    const quint16 current = quint16(u16(b, 19));
    for (const FaultRow &row : kFaultRows) {
        const bool fault = current & row.currentMask;
        if (row.currentMask != 0) {
            const auto [t, c] = cell(fault);
            set(row.currentCell, t, c);
        }
        v.visibility.push_back({row.description, fault});
    }
    v.visibility.push_back({"lblErrTitle", current != 0});
    return v;
}
