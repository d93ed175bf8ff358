#pragma once
// The three record buttons of the main window: "Data record", "Stop record"
// and "Open record" (the export into a workbook, on a thread of its own with
// its progress in the status bar), and the record written after each status
// block, into the log and, with its time, into the timed recording beside
// it. While recording, the status bar shows a mark, the time and the count.

#include "core/frames.h"
#include "monitor/recordexport.h"
#include "monitor/recorder.h"
#include "monitor/trendrecording.h"

#include <QObject>

#include <functional>

class QLabel;
class QProgressBar;
class QTimer;
class QPushButton;
class QStatusBar;
struct LanguageState;
struct RecorderState;
class MessageService;

class RecordControls : public QObject
{
    Q_OBJECT
public:
    // Opens a finished workbook with the desktop's application; false when
    // nothing could open it.
    using FileOpener = std::function<bool(const QString &path)>;

    RecordControls(RecorderState &recorder, const LanguageState &language, MessageService &messages,
                   QPushButton *record, QPushButton *stop, QPushButton *open, QStatusBar *statusBar,
                   QObject *parent = nullptr);
    ~RecordControls() override;

    // The folder of the log, the marker and the workbooks (tests; later the
    // tool's data-folder module).
    void setDataFolder(const QString &folder);
    QString dataFolder() const { return m_recorder.folder(); }
    QString logPath() const { return m_recorder.logPath(); }
    void setFileOpener(FileOpener opener) { m_opener = std::move(opener); }
    // The clock that names the workbooks and the timed recordings.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

    // A log that holds records is emptied only when the user says yes.
    void cmdRecord_Click();
    void cmdRecordStop_Click();
    void cmdOpenRec_Click();

    // After each decoded status block; see DataRecorder::recordStatus.
    bool recordStatus();
    // Then, with the block as it came: its line in the timed recording.
    void recordTimed(const Block &block, const QDateTime &time);
    // The link went down or came back: a line in the timed recording.
    void linkStateChanged(int linkState, const QDateTime &time);
    // The timed recording being written, or empty.
    QString timedRecordingPath() const { return m_timed.active() ? m_timed.path() : QString(); }

    bool exporting() const { return m_job.running(); }
    RecordExportJob &exportJob() { return m_job; }

    // The tooltips that say where the log is, in the current language.
    void applyCaptions();

signals:
    // An export ended (written or not); the messages have been shown.
    void exportEnded(const ExportResult &result);

private:
    void startRecording();
    void showRecordMark();
    void stopTimed();
    void exportFinished(const ExportResult &result);
    QString tr_(const char *source) const;

    RecorderState &m_recorderState;
    const LanguageState &m_language;
    MessageService &m_messages;
    DataRecorder m_recorder;
    RecordExportJob m_job;
    QPushButton *m_record;
    QPushButton *m_stop;
    QPushButton *m_open;
    QProgressBar *m_progress = nullptr;
    FileOpener m_opener;
    std::function<QDateTime()> m_now;
    QString m_exportingLog;
    TimedRecording m_timed;
    QLabel *m_mark = nullptr;
    QTimer *m_markTimer = nullptr;
    QDateTime m_recordingStart;
    bool m_linkOnline = false;
};
