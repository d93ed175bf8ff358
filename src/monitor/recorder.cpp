#include "monitor/recorder.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "core/textnumber.h"
#include "core/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
constexpr const char *kContext = "Recorder";

QString number(double v)
{
    return formatShortest(v, u'.');
}

// Past the operating system's cache: a power loss right after the call must
// not take the line with it.
bool syncToDisk(QFile &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

QString text(int languageCode, const char *source)
{
    const QString t = bilingual(languageCode, kContext, source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}
} // namespace

QString recordLine(const RecorderState &recorder)
{
    const LiveValues &v = recorder.live;
    const QString fields[] = {
        QString::number(recorder.recordCount), number(v.batteryVoltage), number(v.lastMotorTemp),
        number(v.lastSpeed),                   number(v.lastIqActual),   QString::number(v.lastPowerTemp),
        number(v.lastThrottle),                QString::number(v.lastErrorWord),
    };
    QString line;
    for (const QString &f : fields) {
        if (!line.isEmpty())
            line += u',';
        line += f;
    }
    return line;
}

LogResult startLog(RecorderState &recorder, const QString &path)
{
    recorder.recordCount = 0;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {false, file.errorString()};
    if (!syncToDisk(file))
        return {false, file.errorString()};
    return {};
}

LogResult appendRecord(const RecorderState &recorder, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return {false, file.errorString()};
    QByteArray bytes;
    const qint64 size = file.size();
    if (size > 0) {
        char last = 0;
        if (!file.seek(size - 1) || !file.getChar(&last))
            return {false, file.errorString()};
        if (last != '\n')
            bytes = "\r\n";
    }
    bytes += recordLine(recorder).toLatin1();
    bytes += "\r\n";
    // One write, so a failure leaves at most one torn line behind.
    if (!file.seek(size) || file.write(bytes) != bytes.size() || !syncToDisk(file))
        return {false, file.errorString()};
    return {};
}

DataRecorder::DataRecorder(RecorderState &recorder, const LanguageState &language,
                           MessageService &messages)
    : m_recorder(recorder), m_language(language), m_messages(messages)
{
}

QString DataRecorder::folder() const
{
    if (!m_folderResolved) {
        m_folder = dataFolder();
        m_folderResolved = true;
    }
    return m_folder;
}

QString DataRecorder::logPath() const
{
    const QString f = folder();
    return f.isEmpty() ? QString() : QDir(f).filePath(QLatin1String(kLogFileName));
}

bool DataRecorder::cmdRecord_Click()
{
    RecorderState &r = m_recorder;
    // A log that cannot be started must not leave an earlier recording
    // running against a file in an unknown state.
    r.recordingActive = false;
    const QString path = logPath();
    const LogResult result =
        path.isEmpty() ? LogResult{false, text(m_language.languageCode,
                                               QT_TRANSLATE_NOOP("Recorder", "no folder for data files"))}
                       : startLog(r, path);
    if (!result.ok) {
        m_messages.info(text(m_language.languageCode,
                             QT_TRANSLATE_NOOP("Recorder",
                                               "Recording did not start: the record file \"%1\" "
                                               "cannot be created (%2)."))
                            .arg(path.isEmpty() ? QLatin1String(kLogFileName) : QDir::toNativeSeparators(path),
                                 result.error));
        return false;
    }
    r.recordingActive = true;
    return true;
}

void DataRecorder::cmdRecordStop_Click()
{
    m_recorder.recordingActive = false;
}

bool DataRecorder::recordStatus()
{
    RecorderState &r = m_recorder;
    if (!r.recordingActive)
        return false;
    ++r.recordCount;
    const QString path = logPath();
    const LogResult result = appendRecord(r, path);
    if (!result.ok) {
        r.recordingActive = false;
        m_messages.info(text(m_language.languageCode,
                             QT_TRANSLATE_NOOP("Recorder",
                                               "Recording has stopped: the record file \"%1\" cannot "
                                               "be written (%2). The records written before are kept."))
                            .arg(QDir::toNativeSeparators(path), result.error));
    }
    return true;
}
