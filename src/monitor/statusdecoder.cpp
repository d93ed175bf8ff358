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
        if (l.present && qstrcmp(l.name, name) == 0)
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
    return u16At(b, lo);
}

// Sign-magnitude, low byte first. The sign bit is cleared in the buffer.
int sm16(Block &b, int lo)
{
    const int value = sm16At(b, lo);
    b[std::size_t(lo) + 1] &= 0x7F;
    return value;
}

// Number texts are built in a small buffer and become a QString in one
// allocation: these run for every field that changed on every block.
class NumberText
{
public:
    NumberText &sign(bool negative)
    {
        if (negative)
            m_buf[m_len++] = u'-';
        return *this;
    }
    // `value` >= 0, at least `width` digits.
    NumberText &digits(unsigned value, int width = 1)
    {
        // Two digits a step, from the last one back.
        static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324"
                                         "25262728293031323334353637383940414243444546474849"
                                         "50515253545556575859606162636465666768697071727374"
                                         "75767778798081828384858687888990919293949596979899";
        int n = 1;
        for (unsigned rest = value; rest >= 10; rest /= 10)
            ++n;
        const int total = std::max(n, width);
        std::fill(m_buf + m_len, m_buf + m_len + (total - n), u'0');
        char16_t *p = m_buf + m_len + total;
        m_len += total;
        while (value >= 100) {
            const unsigned pair = 2 * (value % 100);
            value /= 100;
            *--p = char16_t(kPairs[pair + 1]);
            *--p = char16_t(kPairs[pair]);
        }
        if (value >= 10) {
            *--p = char16_t(kPairs[2 * value + 1]);
            *--p = char16_t(kPairs[2 * value]);
        } else {
            *--p = char16_t(u'0' + value);
        }
        return *this;
    }
    NumberText &ch(char16_t c)
    {
        m_buf[m_len++] = c;
        return *this;
    }
    QString text() const { return QString(reinterpret_cast<const QChar *>(m_buf), m_len); }
    // Into `out`, in place when `out` is its own and has the room: a text
    // that changes on every block then costs no allocation.
    void writeTo(QString &out) const
    {
        if (out.isDetached() && out.capacity() >= m_len) {
            if (out.size() != m_len) // mostly as long as before
                out.resize(m_len);
            std::copy(m_buf, m_buf + m_len, reinterpret_cast<char16_t *>(out.data()));
        } else {
            out = text();
        }
    }

private:
    char16_t m_buf[32];
    int m_len = 0;
};

NumberText intNumber(int v)
{
    NumberText t;
    t.sign(v < 0).digits(unsigned(std::abs(v)));
    return t;
}

QString intText(int v)
{
    return intNumber(v).text();
}

// Hundredths as a plain decimal without trailing zeros: 1250 -> "12.5",
// -300 -> "-3", 5 -> "0.05".
NumberText plainHundredths(int v)
{
    const unsigned a = unsigned(std::abs(v));
    NumberText t;
    t.sign(v < 0).digits(a / 100);
    const unsigned frac = a % 100;
    if (frac != 0) {
        t.ch(u'.');
        if (frac % 10 == 0)
            t.digits(frac / 10);
        else
            t.digits(frac, 2);
    }
    return t;
}

// Always two decimals: 4825 -> "48.25", 0 -> "0.00".
NumberText fixedHundredths(int v)
{
    NumberText t;
    t.digits(unsigned(v) / 100).ch(u'.').digits(unsigned(v) % 100, 2);
    return t;
}

// Thousandths with three decimals: 1235 -> "1.235".
NumberText fixedThousandths(int v)
{
    NumberText t;
    t.digits(unsigned(v) / 1000).ch(u'.').digits(unsigned(v) % 1000, 3);
    return t;
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

// The six levels the text shows, as an index of 0..63.
int ioIndex(quint8 levels)
{
    int index = 0;
    for (int i = 0; i < 6; ++i)
        if (levels & kIoLineBits[i])
            index |= 1 << i;
    return index;
}

// The texts of every combination of levels, made once per language (and
// again should the Chinese translation come or go).
const QString &ioTableText(quint8 levels, int code)
{
    struct Table
    {
        int code = 0;
        bool translated = false;
        std::array<QString, 64> texts;
    };
    static std::array<Table, 2> tables;
    static std::array<quint8, 256> indexOf = [] {
        std::array<quint8, 256> a{};
        for (int i = 0; i < 256; ++i)
            a[std::size_t(i)] = quint8(ioIndex(quint8(i)));
        return a;
    }();
    Table &t = tables[code == LanguageCode::Chinese ? 1 : 0];
    const bool translated = chineseTranslatorInstalled();
    if (t.code != code || t.translated != translated) {
        for (int i = 0; i < 64; ++i) {
            quint8 l = 0;
            for (int bit = 0; bit < 6; ++bit)
                if (i & (1 << bit))
                    l |= kIoLineBits[bit];
            t.texts[std::size_t(i)] = ioText(l, code, false);
        }
        t.code = code;
        t.translated = translated;
    }
    return t.texts[indexOf[levels]];
}

const char *const kGearWords[] = {"NONE", "PRE F", "FORWARD", "PRE B", "BACKWARD"};
const char *const kStateWords[] = {"IDLE", "STARTUP", "PARASET", "RUN", "STOP", "WAIT", "FAULT"};
} // namespace

QString ioStatusText(quint8 levels, int languageCode)
{
    if (languageCode != LanguageCode::English && languageCode != LanguageCode::Chinese)
        return {};
    return ioTableText(levels, languageCode);
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

namespace {
// The labels in the order the decoder writes them.
enum Slot {
    Vdc, Idc, GearWord, Speed, PowerTemp,
    Forward, Backward, HallCalib, Alarm, Brake, Eco, HallGroup, Boost,
    MotorTemp, IqRef, IqActual, IdRef, IdActual, Pedal, HallState, Mode, Throttle,
    Machine, PortStatus,
    FirstHistoryCell, // then one current cell per shown row
};
const char *const kSlotNames[] = {
    "lblfrmSysStatusVdc_a", "lblfrmSysStatusIdc_a", "lblgearStatus", "lblfrmSysStatusRPM_a",
    "lblfrmSysStatustemp_a", "lblfrmSysStatusEco_a", "lblfrmSysStatusDir_a",
    "lblfrmSysStatusHallC_a", "lblfrmSysStatusAlarm_a", "lblfrmSysStatusBrake_a", "lblECO_a",
    "lblHallGroup", "lblfrmSysStatusBoost_a", "lblfrmSysStatusVthrot_a", "lblfrmSysStatusTref_a",
    "lblfrmSysStatusTact_a", "lblIdref_a", "lblIdactual_a", "lblPedalErr", "lblHallSt_a",
    "lblMode_a", "lblfrmSysStatusHallP_a", "lblfrmSysMach_a", "lblPortStatus"};
static_assert(std::size(kSlotNames) == FirstHistoryCell);

// The state bits of byte 9, in the order of their labels.
struct FlagWords
{
    quint8 mask;
    const char *set;
    const char *clear;
};
// The texts a byte can show, made once: the number of every byte value in
// the reading's scale, or its word.
using ByteTexts = std::array<QString, 256>;
template <typename Make>
ByteTexts byteTexts(Make make)
{
    ByteTexts t;
    for (int i = 0; i < 256; ++i)
        t[std::size_t(i)] = make(quint8(i));
    return t;
}
const ByteTexts &plainByteTexts()
{
    static const ByteTexts t = byteTexts([](quint8 b) { return intText(b); });
    return t;
}
const ByteTexts &powerTempTexts()
{
    static const ByteTexts t = byteTexts([](quint8 b) { return intText(int(b) - 10); });
    return t;
}
const ByteTexts &motorTempTexts()
{
    static const ByteTexts t = byteTexts([](quint8 b) { return intText(b * 2); });
    return t;
}
// A code without a word shows its number, never the word of an older block.
template <std::size_t N>
ByteTexts wordTexts(const char *const (&words)[N])
{
    return byteTexts([&words](quint8 b) { return b < N ? QString::fromLatin1(words[b]) : intText(b); });
}

const FlagWords kFlagWords[] = {{0x01, "F", "Null"}, {0x02, "B", "Null"}, {0x04, "Y", "N"},
                                {0x08, "Y", "N"},    {0x10, "Y", "N"},    {0x20, "Y", "N"},
                                {0x40, "1", "2"},    {0x80, "Y", "N"}};

// The flag words of byte 9, made once.
const QString &flagWord(int i, bool set)
{
    static const auto words = [] {
        std::array<std::array<QString, 2>, 8> w;
        for (int k = 0; k < 8; ++k) {
            w[std::size_t(k)][0] = QString::fromLatin1(kFlagWords[k].clear);
            w[std::size_t(k)][1] = QString::fromLatin1(kFlagWords[k].set);
        }
        return w;
    }();
    return words[std::size_t(i)][set ? 1 : 0];
}
} // namespace

StatusDecoder::StatusDecoder()
{
    for (const char *name : kSlotNames)
        m_view.labels.push_back({name, QString(), -1, true});
    for (const FaultRow &row : kFaultRows)
        if (row.historyMask != 0)
            m_view.labels.push_back({row.historyCell, QString(), -1, true});
    for (const FaultRow &row : kFaultRows)
        if (row.currentMask != 0)
            m_view.labels.push_back({row.currentCell, QString(), -1, true});
    for (const FaultRow &row : kFaultRows)
        m_view.visibility.push_back({row.description, false});
    m_view.visibility.push_back({"lblErrTitle", false});
    m_spare.resize(m_view.labels.size());
}

const StatusView &StatusDecoder::decode(StatusParts parts)
{
    Block &b = parts.statusFrame;
    const Block raw = b;
    LiveValues &live = parts.live;
    StatusView &v = m_view;
    const bool all = m_fresh;
    auto changed = [&](int i) { return all || raw[i] != m_last[i]; };
    auto changed2 = [&](int lo) { return all || raw[lo] != m_last[lo] || raw[lo + 1] != m_last[lo + 1]; };
    // A text from a table: shared, nothing is made.
    auto set = [&v](int slot, const QString &text, int color = -1) {
        StatusView::Label &l = v.labels[slot];
        if (!l.text.isSharedWith(text))
            l.text = text;
        l.color = color;
    };
    // A number: written into whichever of the slot's two strings the panel
    // no longer holds, so that it can be written in place.
    auto setNumber = [&v, this](int slot, const NumberText &number) {
        StatusView::Label &l = v.labels[slot];
        l.text.swap(m_spare[std::size_t(slot)]);
        number.writeTo(l.text);
        l.color = -1;
    };

    v.alertFired = false;
    v.alertElapsedSeconds = 0;
    v.alertStopTime = QDateTime();

    // The values are taken from every block (the recorder and the sign bits
    // want them); only the texts wait for a change.
    const int vdc = u16(b, 2);
    live.batteryVoltage = vdc / 100.0;
    if (changed2(2))
        setNumber(Vdc, fixedHundredths(vdc));

    const int idc = sm16(b, 4);
    if (changed2(4))
        setNumber(Idc, plainHundredths(idc));

    static const ByteTexts gearWords = wordTexts(kGearWords);
    if (changed(28))
        set(GearWord, gearWords[b[28]]);

    const int speed = sm16(b, 6);
    live.lastSpeed = speed;
    if (changed2(6))
        setNumber(Speed, intNumber(speed));

    const int powerTemp = int(b[8]) - 10;
    live.lastPowerTemp = powerTemp;
    if (parts.iqTest.tempAlertArmed && powerTemp >= 100) {
        parts.iqTest.tempAlertArmed = false;
        const QDateTime now = m_now ? m_now() : QDateTime::currentDateTime();
        v.alertFired = true;
        v.alertStopTime = now;
        v.alertElapsedSeconds =
            parts.iqTest.iqTestStartTime.isValid()
                ? std::max<qint64>(0, parts.iqTest.iqTestStartTime.secsTo(now))
                : 0;
    }
    if (changed(8))
        set(PowerTemp, powerTempTexts()[b[8]]);

    // Of the flags, fault cells below too, only those whose bits moved.
    if (changed(9)) {
        const quint8 bits = b[9];
        const quint8 moved = all ? 0xFF : quint8(bits ^ m_last[9]);
        for (int i = 0; i < 8; ++i)
            if (moved & kFlagWords[i].mask)
                set(Forward + i, flagWord(i, bits & kFlagWords[i].mask));
    }

    const int motorTemp = b[12] * 2;
    live.lastMotorTemp = motorTemp;
    if (changed(12))
        set(MotorTemp, motorTempTexts()[b[12]]);

    const int iqRef = sm16(b, 13);
    if (changed2(13))
        setNumber(IqRef, intNumber(iqRef));
    const int iqActual = sm16(b, 21);
    live.lastIqActual = iqActual;
    if (changed2(21))
        setNumber(IqActual, intNumber(iqActual));
    const int idRef = sm16(b, 23);
    if (changed2(23))
        setNumber(IdRef, intNumber(idRef));
    const int idActual = sm16(b, 25);
    if (changed2(25))
        setNumber(IdActual, intNumber(idActual));

    if (changed(28))
        set(Pedal, plainByteTexts()[b[28]]);
    if (changed(29))
        set(HallState, plainByteTexts()[b[29]]);
    if (changed(30))
        set(Mode, plainByteTexts()[b[30]]);

    // Tenths of a millivolt to thousandths of a volt, half away from zero.
    const int thousandths = (u16(b, 15) + 5) / 10;
    live.lastThrottle = thousandths / 1000.0;
    if (changed2(15))
        setNumber(Throttle, fixedThousandths(thousandths));

    static const ByteTexts stateWords = wordTexts(kStateWords);
    const quint8 machine = b[18];
    if (changed(18))
        set(Machine, stateWords[machine], machine == 6 ? kColorRedBgr : kColorGreenBgr);

    if (changed(17) || parts.language.languageCode != m_lastLanguage) {
        const int code = parts.language.languageCode;
        const bool known = code == LanguageCode::English || code == LanguageCode::Chinese;
        v.labels[PortStatus].present = known;
        v.labels[PortStatus].text = known ? ioTableText(b[17], code) : QString();
    }

    const quint16 history = quint16(u16(b, 10));
    live.lastErrorWord = history;
    static const QString ng = QStringLiteral("NG");
    static const QString ok = QStringLiteral("OK");
    auto cell = [&v](int slot, bool fault) {
        StatusView::Label &l = v.labels[slot];
        const QString &t = fault ? ng : ok;
        if (!l.text.isSharedWith(t))
            l.text = t;
        l.color = fault ? kColorRedBgr : kColorGreenBgr;
    };
    int slot = FirstHistoryCell;
    if (changed2(10)) {
        const quint16 moved = all ? 0xFFFF : quint16(history ^ u16(m_last, 10));
        for (const FaultRow &row : kFaultRows) {
            if (row.historyMask == 0)
                continue;
            if (moved & row.historyMask)
                cell(slot, history & row.historyMask);
            ++slot;
        }
    } else {
        for (const FaultRow &row : kFaultRows)
            slot += row.historyMask != 0;
    }

    if (changed2(19)) {
        const quint16 current = quint16(u16(b, 19));
        const quint16 moved = all ? 0xFFFF : quint16(current ^ u16(m_last, 19));
        int row = 0;
        for (const FaultRow &r : kFaultRows) {
            const bool fault = current & r.currentMask;
            if (r.currentMask != 0) {
                if (moved & r.currentMask)
                    cell(slot, fault);
                ++slot;
            }
            v.visibility[row++].visible = fault;
        }
        v.visibility[row].visible = current != 0;
    }

    m_last = raw;
    m_lastLanguage = parts.language.languageCode;
    m_fresh = false;
    return v;
}

StatusView decodeStatus(StatusParts parts, const QDateTime &now)
{
    StatusDecoder decoder;
    decoder.setClock([now] { return now; });
    return decoder.decode(parts);
}
