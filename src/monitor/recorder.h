#pragma once
// Data recording: one line of the latest live values per decoded status
// block, appended to the live-data log "Realtimedata.txt" of the data folder.
// A recording is often the only evidence of a failure in the field, so every
// finished line is on disk when appendRecord returns, and a line torn by a
// crash or a power loss never swallows the next record.

#include <QString>

struct LanguageState;
struct RecorderState;
struct RecorderState;
class MessageService;

inline constexpr const char *kLogFileName = "Realtimedata.txt";

// One record without its line end, in the language-neutral number form:
// "1,48.25,130,1500,-12,45,1.234,0" (counter, battery voltage, motor
// temperature, speed, Iq actual, power-stage temperature, throttle, history
// error word).
QString recordLine(const RecorderState &recorder);

struct LogResult
{
    bool ok = true;
    QString error; // the system's reason when !ok
};

// Creates or empties the log and sets recordCount to 0.
LogResult startLog(RecorderState &recorder, const QString &path);

// Appends recordLine() and CR LF to the log (created when missing), then
// flushes it to the disk. When the file does not end with a line end (its
// last line was torn), the record starts on a fresh line.
LogResult appendRecord(const RecorderState &recorder, const QString &path);

// The recording as the main window drives it: the "Data record" and "Stop
// record" buttons and the record after each status block, with one clear
// message in the current language when the log cannot be written.
class DataRecorder
{
public:
    DataRecorder(RecorderState &recorder, const LanguageState &language, MessageService &messages);

    // The folder of the log; resolved on first use (dataFolder()) unless set.
    void setFolder(const QString &folder) { m_folder = folder; m_folderResolved = true; }
    QString folder() const;
    QString logPath() const;

    // Starts a fresh log; on failure says so and leaves recording off.
    bool cmdRecord_Click();
    void cmdRecordStop_Click();

    // After a status block was decoded: while recording, advances the counter
    // and appends the record. A failed write stops the recording with one
    // message (not one per block). Returns whether a record was due.
    bool recordStatus();

private:
    RecorderState &m_recorder;
    const LanguageState &m_language;
    MessageService &m_messages;
    mutable QString m_folder;
    mutable bool m_folderResolved = false;
};
