#include "monitor/ui/recordcontrols.h"

#include "core/appstate.h"
#include "core/datafolder.h"
#include "core/language.h"
#include "core/messageservice.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
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
    m_record->setToolTip(tr_(QT_TRANSLATE_NOOP("Recorder", "Records the live values into %1")).arg(log));
    m_stop->setToolTip(tr_(QT_TRANSLATE_NOOP("Recorder", "Stops recording; %1 is kept")).arg(log));
    m_open->setToolTip(tr_(QT_TRANSLATE_NOOP("Recorder", "Exports %1 into a new workbook in %2"))
                           .arg(log, native(dataFolder())));
}

void RecordControls::cmdRecord_Click()
{
    m_recorder.cmdRecord_Click();
    // The link timer keeps this in step; no need to wait for its tick.
    m_stop->setEnabled(m_recorderState.recordingActive && m_record->isEnabled());
}

void RecordControls::cmdRecordStop_Click()
{
    m_recorder.cmdRecordStop_Click();
    m_stop->setEnabled(false);
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
