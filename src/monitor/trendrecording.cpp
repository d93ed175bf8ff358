#include "monitor/trendrecording.h"

#include "core/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
constexpr const char *kContext = "Recorder";
constexpr const char *kSchemaPrefix = "# Kestrane recording,schema ";
constexpr const char *kLinkDown = "link down";
constexpr const char *kLinkUp = "link up";
const char *const kWordHeaders[8] = {"gear", "controller state", "state bits", "input levels",
                                     "hall state", "mode", "current error word",
                                     "history error word"};

QString text(int languageCode, const char *source)
{
    const QString t = bilingual(languageCode, kContext, source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

bool syncToDisk(QFileDevice &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

QByteArray hexWord(unsigned value, int digits)
{
    return "0x" + QByteArray::number(value, 16).toUpper().rightJustified(digits, '0');
}

// What a status block can carry in each reading.
bool countsInRange(int value, qint32 counts)
{
    const TrendValueDef &d = kTrendValues[std::size_t(value)];
    qint32 field = 0;
    switch (d.form) {
    case TrendValueDef::Byte:
        if ((counts - d.bias) % d.factor != 0)
            return false;
        field = (counts - d.bias) / d.factor;
        return field >= 0 && field <= 255;
    case TrendValueDef::U16:
        return counts >= 0 && counts <= 65535;
    case TrendValueDef::SM16:
        return counts >= -32767 && counts <= 32767;
    }
    return false;
}

bool parseHex(const QString &field, int digits, unsigned &value)
{
    if (field.size() != digits + 2 || !field.startsWith(QLatin1String("0x")))
        return false;
    bool ok = false;
    value = field.mid(2).toUInt(&ok, 16);
    return ok;
}

bool parseSmall(const QString &field, quint8 &value)
{
    bool ok = false;
    const uint v = field.toUInt(&ok);
    if (!ok || v > 255 || field.startsWith(u'+') || field.trimmed() != field)
        return false;
    value = quint8(v);
    return true;
}

// The file's lines, and whether the last one was cut short.
struct Lines
{
    QList<QByteArray> lines;
    bool tornLast = false;
};

Lines splitLines(const QByteArray &bytes)
{
    Lines result;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            result.lines << bytes.mid(start);
            result.tornLast = true;
            break;
        }
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        result.lines << line;
        start = end + 1;
    }
    return result;
}

RecordingLoad refuse(RecordingLoad &load, const QString &why)
{
    load.history.reset();
    load.error = why;
    return std::move(load);
}

RecordingLoad loadCsv(const QString &path, const Lines &file, int code)
{
    RecordingLoad load;
    const QString name = QDir::toNativeSeparators(path);
    auto refused = [&](int line, const QString &what) {
        return refuse(load, text(code, QT_TRANSLATE_NOOP("Recorder", "The recording \"%1\" was not opened: "
                                                                     "line %2 %3."))
                                .arg(name)
                                .arg(line)
                                .arg(what));
    };
    const QByteArray first = file.lines.value(0);
    bool ok = false;
    const int schema = first.mid(qstrlen(kSchemaPrefix)).toInt(&ok);
    if (!ok)
        return refused(1, text(code, QT_TRANSLATE_NOOP("Recorder", "does not name the schema")));
    if (schema != kRecordingSchema) {
        return refuse(load, text(code, QT_TRANSLATE_NOOP("Recorder",
                                                         "The recording \"%1\" was not opened: it is of "
                                                         "schema %2, and this version of Kestrane reads "
                                                         "schema %3."))
                                .arg(name)
                                .arg(schema)
                                .arg(kRecordingSchema));
    }
    const QByteArray header = recordingHeader().split('\n').value(1).trimmed();
    if (file.lines.size() < 2 || file.lines[1].trimmed() != header)
        return refused(2, text(code, QT_TRANSLATE_NOOP("Recorder", "is not the header of a recording")));

    // A cut-off last line is what a crash leaves; the lines before it stand.
    qsizetype count = file.lines.size();
    if (file.tornLast && count > 2) {
        --count;
        load.notes << text(code, QT_TRANSLATE_NOOP("Recorder", "The last line of the recording was cut "
                                                               "short and is left out."));
    }
    if (count - 2 > kMaxRecordingLines) {
        return refuse(load, text(code, QT_TRANSLATE_NOOP("Recorder", "The recording \"%1\" was not opened: "
                                                                     "it has more than %2 lines."))
                                .arg(name)
                                .arg(kMaxRecordingLines));
    }
    load.history = std::make_unique<TrendHistory>(int(std::max<qsizetype>(1, count - 2)), 0);
    TrendHistory &h = *load.history;
    h.assumeOnline();
    qint64 previous = std::numeric_limits<qint64>::min();
    int present = -1; // decided by the first record
    for (qsizetype i = 2; i < count; ++i) {
        const int lineNo = int(i + 1);
        const QStringList f = QString::fromLatin1(file.lines[i]).split(u',');
        if (f.size() != kRecordingFields) {
            return refused(lineNo, text(code, QT_TRANSLATE_NOOP("Recorder", "has %1 fields instead of %2"))
                                       .arg(f.size())
                                       .arg(kRecordingFields));
        }
        const QDateTime time = QDateTime::fromString(f[0], Qt::ISODateWithMs);
        if (!time.isValid())
            return refused(lineNo, text(code, QT_TRANSLATE_NOOP("Recorder", "has no valid time")));
        const qint64 ms = time.toMSecsSinceEpoch();
        if (ms < previous)
            return refused(lineNo, text(code, QT_TRANSLATE_NOOP("Recorder", "is earlier than the line before")));
        previous = ms;
        const QString &event = f.last();
        if (!event.isEmpty()) {
            for (int k = 1; k < kRecordingFields - 1; ++k)
                if (!f[k].isEmpty())
                    return refused(lineNo, text(code, QT_TRANSLATE_NOOP("Recorder", "marks an event but holds readings")));
            if (event == QLatin1String(kLinkDown))
                h.linkDown(ms);
            else if (event == QLatin1String(kLinkUp))
                h.linkUp(ms);
            else
                return refused(lineNo, text(code, QT_TRANSLATE_NOOP("Recorder", "names an unknown event")));
            continue;
        }
        StatusSample s;
        int mask = 0;
        for (int v = 0; v < kTrendValueCount; ++v) {
            const QString &field = f[1 + v];
            if (field.isEmpty())
                continue;
            qint32 counts = 0;
            if (!parseCounts(field, kTrendValues[std::size_t(v)].divisor, counts) || !countsInRange(v, counts)) {
                return refused(lineNo, text(code, QT_TRANSLATE_NOOP("Recorder", "holds \"%1\" as %2, which a "
                                                                                 "status block cannot carry"))
                                           .arg(field, QLatin1String(kTrendValues[std::size_t(v)].csvHeader)));
            }
            s.counts[std::size_t(v)] = counts;
            mask |= 1 << v;
        }
        if (present < 0)
            present = mask;
        else if (mask != present)
            return refused(lineNo, text(code, QT_TRANSLATE_NOOP("Recorder", "leaves other readings empty than the "
                                                                             "lines before")));
        const int base = 1 + kTrendValueCount;
        bool wordsOk = parseSmall(f[base], s.gear) && parseSmall(f[base + 1], s.machine);
        unsigned v = 0;
        wordsOk = wordsOk && parseHex(f[base + 2], 2, v);
        s.stateBits = quint8(v);
        wordsOk = wordsOk && parseHex(f[base + 3], 2, v);
        s.ioLevels = quint8(v);
        wordsOk = wordsOk && parseSmall(f[base + 4], s.hallState) && parseSmall(f[base + 5], s.mode);
        wordsOk = wordsOk && parseHex(f[base + 6], 4, v);
        s.currentErrors = quint16(v);
        wordsOk = wordsOk && parseHex(f[base + 7], 4, v);
        s.historyErrors = quint16(v);
        if (!wordsOk)
            return refused(lineNo, text(code, QT_TRANSLATE_NOOP("Recorder", "holds a state or error word that "
                                                                             "a status block cannot carry")));
        h.addSample(s, ms);
    }
    if (h.isEmpty()) {
        return refuse(load, text(code, QT_TRANSLATE_NOOP("Recorder", "The record file \"%1\" holds no records: "
                                                                     "nothing was opened."))
                                .arg(name));
    }
    h.setPresentValues(quint16(present));
    return load;
}

// The live-data log: counter, battery voltage, motor temperature, speed, Iq
// actual, power-stage temperature, throttle, history error word.
RecordingLoad loadTextLog(const QString &path, const Lines &file, int code)
{
    RecordingLoad load;
    const QString name = QDir::toNativeSeparators(path);
    if (file.lines.size() > kMaxRecordingLines) {
        return refuse(load, text(code, QT_TRANSLATE_NOOP("Recorder", "The recording \"%1\" was not opened: "
                                                                     "it has more than %2 lines."))
                                .arg(name)
                                .arg(kMaxRecordingLines));
    }
    load.history = std::make_unique<TrendHistory>(int(std::max<qsizetype>(1, file.lines.size())), 0);
    TrendHistory &h = *load.history;
    h.setElapsedTimes(true);
    h.setHasCurrentErrors(false);
    const int columns[6] = {TrendValue::BatteryVoltage, TrendValue::MotorTemp, TrendValue::Speed,
                            TrendValue::IqActual, TrendValue::PowerStageTemp, TrendValue::Throttle};
    quint16 present = 0;
    for (int v : columns)
        present |= quint16(1u << v);
    h.setPresentValues(present);
    int skipped = 0;
    int firstSkipped = 0;
    qint64 lastCounter = std::numeric_limits<qint64>::min();
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        const QList<QByteArray> f = file.lines[i].trimmed().split(',');
        bool ok = f.size() == 8;
        StatusSample s;
        qint64 counter = 0;
        if (ok)
            counter = f[0].toLongLong(&ok);
        for (int k = 0; ok && k < 6; ++k) {
            const int v = columns[k];
            const double value = f[1 + k].toDouble(&ok);
            // The log holds the throttle to millivolts; the rest as the block has them.
            const qint32 counts = qint32(qRound64(value * kTrendValues[std::size_t(v)].divisor));
            ok = ok && countsInRange(v, counts);
            s.counts[std::size_t(v)] = counts;
        }
        if (ok) {
            const uint word = f[7].toUInt(&ok);
            ok = ok && word <= 0xFFFF;
            s.historyErrors = quint16(word);
        }
        if (ok && counter <= lastCounter)
            ok = false;
        if (!ok) {
            if (!file.lines[i].trimmed().isEmpty() && skipped++ == 0)
                firstSkipped = int(i + 1);
            continue;
        }
        lastCounter = counter;
        h.addSample(s, counter * 1000);
    }
    if (skipped > 0) {
        load.notes << text(code, QT_TRANSLATE_NOOP("Recorder", "%1 line(s) of the record file are not records "
                                                               "and were left out (the first is line %2)."))
                          .arg(skipped)
                          .arg(firstSkipped);
    }
    if (h.isEmpty()) {
        return refuse(load, text(code, QT_TRANSLATE_NOOP("Recorder", "The record file \"%1\" holds no records: "
                                                                     "nothing was opened."))
                                .arg(name));
    }
    load.notes << text(code, QT_TRANSLATE_NOOP("Recorder", "The record file has no clock times: its counter "
                                                           "is shown as seconds."));
    return load;
}
} // namespace

QString timedRecordingPath(const QString &folder, const QDateTime &start)
{
    const QDir dir(folder);
    const QString stem = QStringLiteral("Realtimedata_") + start.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString path = dir.filePath(stem + QStringLiteral(".csv"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(stem + QStringLiteral("_%1.csv").arg(n));
    return path;
}

QByteArray recordingHeader()
{
    QByteArray h = kSchemaPrefix + QByteArray::number(kRecordingSchema) + "\r\ntime";
    for (const TrendValueDef &d : kTrendValues)
        h += QByteArray(",") + d.csvHeader;
    for (const char *w : kWordHeaders)
        h += QByteArray(",") + w;
    return h + ",event\r\n";
}

QString recordingTime(const QDateTime &time)
{
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QByteArray recordingLine(const StatusSample &s, const QDateTime &time, quint16 present)
{
    QByteArray line = recordingTime(time).toLatin1();
    line.reserve(160);
    for (int v = 0; v < kTrendValueCount; ++v) {
        line += ',';
        if (present & (1u << v))
            line += countsText(s.counts[std::size_t(v)], kTrendValues[std::size_t(v)].divisor).toLatin1();
    }
    line += ',' + QByteArray::number(s.gear) + ',' + QByteArray::number(s.machine) + ',' + hexWord(s.stateBits, 2)
            + ',' + hexWord(s.ioLevels, 2) + ',' + QByteArray::number(s.hallState) + ','
            + QByteArray::number(s.mode) + ',' + hexWord(s.currentErrors, 4) + ',' + hexWord(s.historyErrors, 4)
            + ",\r\n";
    return line;
}

QByteArray recordingEventLine(const QDateTime &time, TrendEvent::Kind kind)
{
    return recordingTime(time).toLatin1() + QByteArray(kRecordingFields - 1, ',')
           + (kind == TrendEvent::LinkDown ? kLinkDown : kLinkUp) + "\r\n";
}

LogResult TimedRecording::start(const QString &path)
{
    stop();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return {false, m_file.errorString()};
    const LogResult result = write(recordingHeader());
    if (!result.ok)
        stop();
    return result;
}

LogResult TimedRecording::append(const StatusSample &sample, const QDateTime &time)
{
    return write(recordingLine(sample, time));
}

LogResult TimedRecording::linkChanged(bool down, const QDateTime &time)
{
    return write(recordingEventLine(time, down ? TrendEvent::LinkDown : TrendEvent::LinkUp));
}

LogResult TimedRecording::write(const QByteArray &line)
{
    if (!m_file.isOpen())
        return {false, QStringLiteral("not recording")};
    if (m_file.write(line) != line.size() || !syncToDisk(m_file))
        return {false, m_file.errorString()};
    return {};
}

void TimedRecording::stop()
{
    if (m_file.isOpen())
        m_file.close();
}

LogResult saveRecording(const QString &path, const TrendHistory &history, int from, int to)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    const Qt::TimeSpec zone = history.timeZone();
    auto timeOf = [zone](qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms, zone); };
    QByteArray bytes = recordingHeader();
    const qint64 t0 = from < to ? history.at(from).timeMs : 0;
    const qint64 t1 = from < to ? history.at(to - 1).timeMs : -1;
    auto event = history.events().cbegin();
    const auto end = history.events().cend();
    auto eventsUpTo = [&](qint64 t) {
        for (; event != end && event->timeMs <= t; ++event) {
            if (event->timeMs >= t0 && (event->kind == TrendEvent::LinkDown || event->kind == TrendEvent::LinkUp))
                bytes += recordingEventLine(timeOf(event->timeMs), event->kind);
        }
    };
    for (int i = from; i < to; ++i) {
        const TrendSample &s = history.at(i);
        // A marker at the time of a sample stands before it: the link came
        // back with that block.
        eventsUpTo(s.timeMs);
        bytes += recordingLine(s.status(), timeOf(s.timeMs), history.presentValues());
    }
    eventsUpTo(t1);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return {false, file.errorString()};
    return {};
}

RecordingLoad loadRecording(const QString &path, int languageCode)
{
    RecordingLoad load;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refuse(load, text(languageCode, QT_TRANSLATE_NOOP("Recorder", "The recording \"%1\" cannot be "
                                                                             "read (%2): nothing was opened."))
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    const Lines lines = splitLines(file.readAll());
    if (lines.lines.value(0).startsWith(kSchemaPrefix))
        return loadCsv(path, lines, languageCode);
    if (lines.lines.value(0).startsWith("#") || path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        return refuse(load, text(languageCode, QT_TRANSLATE_NOOP("Recorder", "The file \"%1\" is not a Kestrane "
                                                                             "recording: nothing was opened."))
                                .arg(QDir::toNativeSeparators(path)));
    }
    return loadTextLog(path, lines, languageCode);
}
