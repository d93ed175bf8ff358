#include "monitor/ui/recordcontrols.h"

#include "core/appstate.h"
#include "core/datafolder.h"
#include "core/language.h"
#include "core/messageservice.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {
constexpr const char *kContext = "Recorder";
// The marker's message, word for word as the tool has always shown it.
constexpr const char *kMarkerMessage = QT_TRANSLATE_NOOP("Recorder", "Excle already opened");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

RecordControls::RecordControls(RecorderState &recorder, const LanguageState &language,
                               MessageService &messages, QPushButton *record,
                               QPushButton *stop, QPushButton *open, QStatusBar *statusBar,
                               QObject *parent)
    : QObject(parent),
      m_recorderState(recorder),
      m_language(language),
      m_messages(messages),
      m_recorder(recorder, language, messages),
      m_record(record),
      m_stop(stop),
      m_open(open),
      m_opener([](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }),
      m_now([] { return QDateTime::currentDateTime(); })
{
    m_progress = new QProgressBar(statusBar);
    m_progress->setObjectName(QStringLiteral("prgExport"));
    m_progress->setRange(0, 100);
    m_progress->setMaximumWidth(160);
    m_progress->setVisible(false);
    statusBar->addPermanentWidget(m_progress);
    m_mark = new QLabel(statusBar);
    m_mark->setObjectName(QStringLiteral("lblRecordMark"));
    m_mark->setVisible(false);
    statusBar->addPermanentWidget(m_mark);
    // The elapsed time moves on between blocks too; only while recording.
    m_markTimer = new QTimer(this);
    m_markTimer->setInterval(1000);
    connect(m_markTimer, &QTimer::timeout, this, &RecordControls::showRecordMark);

    connect(m_record, &QPushButton::clicked, this, &RecordControls::cmdRecord_Click);
    connect(m_stop, &QPushButton::clicked, this, &RecordControls::cmdRecordStop_Click);
    connect(m_open, &QPushButton::clicked, this, &RecordControls::cmdOpenRec_Click);
    connect(&m_job, &RecordExportJob::progress, m_progress, &QProgressBar::setValue);
    connect(&m_job, &RecordExportJob::finished, this, &RecordControls::exportFinished);
}

RecordControls::~RecordControls() = default;

QString RecordControls::tr_(const char *source) const
{
    const QString t = bilingual(m_language.languageCode, kContext, source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

void RecordControls::setDataFolder(const QString &folder)
{
    m_recorder.setFolder(folder);
    applyCaptions();
}

void RecordControls::applyCaptions()
{
    const int code = m_language.languageCode;
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    const QString log = native(logPath());
    const QString timed = native(QDir(dataFolder()).filePath(QStringLiteral("Realtimedata_<date>_<time>.csv")));
    m_record->setToolTip(tr_(QT_TRANSLATE_NOOP("Recorder", "Records the live values into %1, and with their "
                                                           "times into %2"))
                             .arg(log, timed));
    m_stop->setToolTip(tr_(QT_TRANSLATE_NOOP("Recorder", "Stops recording; %1 is kept")).arg(log));
    m_open->setToolTip(tr_(QT_TRANSLATE_NOOP("Recorder", "Exports %1 into a new workbook in %2"))
                           .arg(log, native(dataFolder())));
    if (m_markTimer->isActive())
        showRecordMark();
}

void RecordControls::cmdRecord_Click()
{
    const QFileInfo log(logPath());
    if (!log.exists() || log.size() == 0) {
        startRecording();
        return;
    }
    // Starting anew empties the log: the records in it may be all there is
    // of a fault seen in the field.
    m_messages.ask({MessageService::Icon::Warning, QStringLiteral("info"),
                    tr_(QT_TRANSLATE_NOOP("Recorder", "The record file \"%1\" already holds records. "
                                                      "Empty it and start a new recording?"))
                        .arg(native(log.filePath()))},
                   [this](bool yes) {
                       if (yes)
                           startRecording();
                   });
}

void RecordControls::startRecording()
{
    stopTimed();
    m_recorder.cmdRecord_Click();
    // The link timer keeps this in step; no need to wait for its tick.
    m_stop->setEnabled(m_recorderState.recordingActive && m_record->isEnabled());
    if (!m_recorderState.recordingActive)
        return;
    m_recordingStart = m_now();
    const QString path = ::timedRecordingPath(dataFolder(), m_recordingStart);
    const LogResult timed = m_timed.start(path);
    if (!timed.ok) {
        m_messages.info(tr_(QT_TRANSLATE_NOOP("Recorder", "The timed recording \"%1\" cannot be created (%2); "
                                                          "the record file \"%3\" is written as before."))
                            .arg(native(path), timed.error, native(logPath())));
    }
    m_markTimer->start();
    showRecordMark();
}

void RecordControls::cmdRecordStop_Click()
{
    m_recorder.cmdRecordStop_Click();
    m_stop->setEnabled(false);
    stopTimed();
}

bool RecordControls::recordStatus()
{
    const bool due = m_recorder.recordStatus();
    if (!m_recorderState.recordingActive)
        stopTimed(); // the log could not be written: the recording has stopped
    else if (due)
        showRecordMark();
    return due;
}

void RecordControls::recordTimed(const Block &block, const QDateTime &time)
{
    if (!m_recorderState.recordingActive || !m_timed.active())
        return;
    const LogResult result = m_timed.append(sampleFromBlock(block), time);
    if (!result.ok) {
        const QString path = m_timed.path();
        m_timed.stop();
        m_messages.info(tr_(QT_TRANSLATE_NOOP("Recorder", "The timed recording \"%1\" cannot be written (%2) "
                                                          "and has stopped; the record file \"%3\" is written "
                                                          "as before."))
                            .arg(native(path), result.error, native(logPath())));
    }
}

void RecordControls::linkStateChanged(int linkState, const QDateTime &time)
{
    const bool online = linkState == LinkStateCode::Online;
    if (online == m_linkOnline)
        return;
    m_linkOnline = online;
    if (m_recorderState.recordingActive && m_timed.active())
        m_timed.linkChanged(!online, time);
}

void RecordControls::stopTimed()
{
    m_timed.stop();
    m_markTimer->stop();
    m_mark->setVisible(false);
}

// "● REC 0:05:12, 312 records": a recording that runs for hours is easy to forget.
void RecordControls::showRecordMark()
{
    if (!m_recorderState.recordingActive) {
        stopTimed();
        return;
    }
    const qint64 seconds = std::max<qint64>(0, m_recordingStart.secsTo(m_now()));
    const QString elapsed = QStringLiteral("%1:%2:%3")
                                .arg(seconds / 3600)
                                .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const QString text = QStringLiteral("<span style=\"color:#d00000\">\u25CF</span> ")
                         + tr_(QT_TRANSLATE_NOOP("Recorder", "REC %1, %2 records"))
                               .arg(elapsed)
                               .arg(m_recorderState.recordCount);
    if (m_mark->text() != text)
        m_mark->setText(text);
    m_mark->setVisible(true);
}

void RecordControls::cmdOpenRec_Click()
{
    if (m_job.running()) {
        m_messages.info(tr_(QT_TRANSLATE_NOOP("Recorder", "The record file is still being exported.")));
        return;
    }
    const QString folder = dataFolder();
    if (folder.isEmpty()) {
        m_messages.info(tr_(QT_TRANSLATE_NOOP("Recorder", "There is no folder for the data files: "
                                                          "nothing was exported.")));
        return;
    }
    if (QFileInfo::exists(QDir(folder).filePath(QLatin1String(kMarkerFileName)))) {
        m_messages.show({MessageService::Icon::NoIcon, QString(), tr_(kMarkerMessage)});
        return;
    }
    const QString log = logPath();
    const QFileInfo info(log);
    if (!info.exists()) {
        m_messages.info(tr_(QT_TRANSLATE_NOOP("Recorder", "There is no record file \"%1\" yet: "
                                                          "nothing was exported."))
                            .arg(native(log)));
        return;
    }
    if (info.size() == 0) {
        m_messages.info(tr_(QT_TRANSLATE_NOOP("Recorder", "The record file \"%1\" is empty: "
                                                          "nothing was exported."))
                            .arg(native(log)));
        return;
    }
    ExportOptions options;
    options.logPath = log;
    options.logBytes = info.size();
    options.workbookPath = workbookPathFor(folder, m_now());
    m_exportingLog = log;
    m_progress->setValue(0);
    m_progress->setVisible(true);
    m_job.start(std::move(options));
}

void RecordControls::exportFinished(const ExportResult &result)
{
    using Status = ExportResult::Status;
    m_progress->setVisible(false);
    const QString log = native(m_exportingLog);
    QStringList notes;
    if (result.skippedLines > 0) {
        notes << tr_(QT_TRANSLATE_NOOP("Recorder", "%1 line(s) of the record file are not numbers "
                                                   "and were left out (the first is line %2)."))
                     .arg(result.skippedLines)
                     .arg(result.firstSkippedLine);
    }
    switch (result.status) {
    case Status::Written:
        if (result.longLines > 0) {
            notes << tr_(QT_TRANSLATE_NOOP("Recorder", "%1 line(s) of the record file have more than "
                                                       "eight fields: only their first eight were exported."))
                         .arg(result.longLines);
        }
        if (result.sheets > 1) {
            notes << tr_(QT_TRANSLATE_NOOP("Recorder", "The records fill %1 sheets; the chart shows "
                                                       "the first."))
                         .arg(result.sheets);
        }
        if (!m_opener || !m_opener(result.workbookPath)) {
            notes.prepend(tr_(QT_TRANSLATE_NOOP("Recorder", "The workbook \"%1\" was written, but no "
                                                            "application could open it."))
                              .arg(native(result.workbookPath)));
        }
        break;
    case Status::NoLog:
        notes.prepend(tr_(QT_TRANSLATE_NOOP("Recorder", "There is no record file \"%1\" yet: "
                                                        "nothing was exported."))
                          .arg(log));
        break;
    case Status::NoRecords:
        notes.prepend(tr_(QT_TRANSLATE_NOOP("Recorder", "The record file \"%1\" holds no records: "
                                                        "nothing was exported."))
                          .arg(log));
        break;
    case Status::LogUnreadable:
        notes = {tr_(QT_TRANSLATE_NOOP("Recorder", "The record file \"%1\" cannot be read (%2): "
                                                   "no workbook was written."))
                     .arg(log, result.error)};
        break;
    case Status::WorkbookFailed:
        notes = {tr_(QT_TRANSLATE_NOOP("Recorder", "The workbook cannot be written in \"%1\" (%2)."))
                     .arg(native(dataFolder()), result.error)};
        break;
    case Status::Cancelled:
        notes.clear();
        break;
    }
    if (!notes.isEmpty())
        m_messages.info(notes.join(u'\n'));
    emit exportEnded(result);
}
