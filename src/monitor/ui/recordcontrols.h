#pragma once
// The three record buttons of the main window: "Data record", "Stop record"
// and "Open record" (the export into a workbook, on a thread of its own with
// its progress in the status bar), and the record written after each status
// block.

#include "monitor/recordexport.h"
#include "monitor/recorder.h"

#include <QObject>

#include <functional>

class QProgressBar;
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
    // The clock that names the workbooks (tests).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

    void cmdRecord_Click();
    void cmdRecordStop_Click();
    void cmdOpenRec_Click();

    // After each decoded status block; see DataRecorder::recordStatus.
    bool recordStatus() { return m_recorder.recordStatus(); }

    bool exporting() const { return m_job.running(); }
    RecordExportJob &exportJob() { return m_job; }

    // The tooltips that say where the log is, in the current language.
    void applyCaptions();

signals:
    // An export ended (written or not); the messages have been shown.
    void exportEnded(const ExportResult &result);

private:
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
};
