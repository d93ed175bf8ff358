#pragma once
// "Open record": the live-data log turned into a spreadsheet workbook
// (.xlsx): sheet 1 holds the eight headings in row 1 and one record per row
// from row 2, as numbers; a second sheet charts the readings against the
// record counter. The workbook is written under a temporary name and renamed
// when complete, so a crash never leaves half a workbook behind. The
// spreadsheet writer is a module loaded on the first export
// (monitor/workbookmodule.h).

#include "monitor/workbooksink.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string_view>

class QThread;

inline constexpr const char *kMarkerFileName = "excel.bz";

// One log line read as a record: at most eight values, each rounded to
// single precision.
struct ParsedRecord
{
    bool ok = false;       // every field up to the eighth is a number
    bool blank = false;    // nothing but blanks: not a record, not a fault
    bool tooMany = false;  // more than eight fields; the first eight count
    int count = 0;
    std::array<double, 8> values{};
};
ParsedRecord parseRecordLine(std::string_view line);

// A number with the precision of a single-precision value, as its shortest
// decimal: "48.26" gives 48.26, not 48.2599983215332.
bool parseSingle(std::string_view text, double *value);

struct ExportOptions
{
    QString logPath;
    QString workbookPath;
    // Read only this many bytes of the log (its size when the export was
    // asked for, so a recording that goes on meanwhile adds nothing half
    // written); -1 reads it all.
    qint64 logBytes = -1;
    // Rows per sheet including the headings; longer logs go on into further
    // sheets (a spreadsheet holds 1048576 rows).
    int rowsPerSheet = 1048576;
    // Called from the exporting thread with 0..100.
    std::function<void(int percent)> progress;
    // Set from another thread to give up; the temporary file is removed.
    const std::atomic<bool> *cancel = nullptr;
    // The folder of the program whose workbook module (kestrane-workbook)
    // writes the workbook; empty: the running program's.
    QString programDir;
};

struct ExportResult
{
    enum class Status { Written, NoLog, NoRecords, LogUnreadable, WorkbookFailed, Cancelled };
    Status status = Status::Written;
    qint64 records = 0;
    qint64 skippedLines = 0;     // lines that were not numbers
    qint64 firstSkippedLine = 0; // its line number (1-based), 0 for none
    qint64 longLines = 0;        // lines with more than eight fields
    int sheets = 0;              // data sheets written
    QString error;               // the reason when the log or workbook failed
    QString workbookPath;
};

// Runs the whole export in the calling thread.
ExportResult exportRecords(const ExportOptions &options);

// "Realtimedata_20261208_090000.xlsx" in `folder`, or with "_2", "_3", ...
// when that name is taken: an export never replaces an earlier workbook the
// user may have worked on.
QString workbookPathFor(const QString &folder, const QDateTime &time);

// Runs exportRecords on a thread of its own, so a long log does not freeze
// the window; progress and the result arrive on the owner's thread.
class RecordExportJob : public QObject
{
    Q_OBJECT
public:
    explicit RecordExportJob(QObject *parent = nullptr);
    // Gives up a running export and waits for its thread.
    ~RecordExportJob() override;

    bool running() const { return m_thread != nullptr; }
    // Starts an export unless one is running (returns false then).
    bool start(ExportOptions options);

signals:
    void progress(int percent);
    void finished(const ExportResult &result);

private:
    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};
