#pragma once
// The timed recording Realtimedata_<date>_<time>.csv, written beside the
// live-data log while "Data record" runs: one line per status block with
// its clock time and every reading, and a line where the link went down and
// where it came back. The same form saves what the trend window shows, and
// the trend window opens either file again (or the log Realtimedata.txt).
//
//   # Kestrane recording,schema 1
//   time,battery voltage [V],...,current error word,history error word,event
//   2026-12-08T09:00:00.125+01:00,48.25,-12.5,1500,...,0x0000,0x0402,
//   2026-12-08T09:00:02.200+01:00,,,,,,,,,,,,,,,,,,,link down
//
// Readings are plain decimals of exactly what the block carries (no
// rounding, "." as decimal point), words in hexadecimal; a reading the
// source did not have (a recording made from the text log) is left empty in
// every line. Lines end in CR LF.

#include "monitor/recorder.h"
#include "monitor/trendhistory.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

inline constexpr int kRecordingSchema = 1;
inline constexpr int kRecordingFields = 1 + kTrendValueCount + 8 + 1;
// A file longer than this is refused: a day at ten blocks a second.
inline constexpr int kMaxRecordingLines = 864000;

// A new name in `folder` for a recording started at `start`:
// Realtimedata_20261208_090000.csv (with _2, _3 ... when taken).
QString timedRecordingPath(const QString &folder, const QDateTime &start);

// The two header lines, with their line ends.
QByteArray recordingHeader();
// One record; readings outside `present` are left empty.
QByteArray recordingLine(const StatusSample &sample, const QDateTime &time,
                         quint16 present = TrendHistory::kAllValues);
QByteArray recordingEventLine(const QDateTime &time, TrendEvent::Kind kind);
// The time as it stands in a recording: 2026-12-08T09:00:00.125+01:00.
QString recordingTime(const QDateTime &time);

// The recording while "Data record" runs: the file stays open, and every
// line is flushed to the disk before append returns.
class TimedRecording
{
public:
    // Creates the file (never over an existing one) and writes the header.
    LogResult start(const QString &path);
    LogResult append(const StatusSample &sample, const QDateTime &time);
    // The link went down (true) or came back (false); only while recording.
    LogResult linkChanged(bool down, const QDateTime &time);
    void stop();
    bool active() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

private:
    LogResult write(const QByteArray &line);
    QFile m_file;
};

// Writes the samples from..to-1 of `history` and its link markers between
// them as a recording, atomically: the file appears whole or not at all.
LogResult saveRecording(const QString &path, const TrendHistory &history, int from, int to);

struct RecordingLoad
{
    std::unique_ptr<TrendHistory> history; // null when refused
    QString error;                         // why it was refused, in the current language
    QStringList notes;                     // what was left out, in the current language
};

// Opens a recording (.csv) or the live-data log (Realtimedata.txt, whose
// counter stands in for seconds). A recording that is not of this schema,
// whose header differs or whose lines do not hold what a status block can
// carry is refused and names the line; a last line cut short (the
// recording stopped by a crash or a power loss) is left out with a note.
RecordingLoad loadRecording(const QString &path, int languageCode);
