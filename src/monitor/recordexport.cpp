#include "monitor/recordexport.h"

#include "buildinfo/buildinfo.h"

#include <string>

#include "monitor/recorder.h"
#include "monitor/workbookmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <charconv>
#include <cmath>

namespace {
constexpr std::string_view kBlanks = " \t\r\n";

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

QByteArray nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toUtf8(); // the library takes UTF-8 there
#else
    return QFile::encodeName(path);
#endif
}

} // namespace

bool parseSingle(std::string_view text, double *value)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    float f = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), f);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(f))
        return false;
    // The shortest decimal of the single value, read back as a double.
    char buffer[32];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, f);
    double d = 0;
    std::from_chars(buffer, printed.ptr, d);
    *value = d == 0 ? 0.0 : d; // no "-0"
    return true;
}

ParsedRecord parseRecordLine(std::string_view line)
{
    ParsedRecord r;
    if (trimmed(line).empty()) {
        r.blank = true;
        return r;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        const std::string_view field =
            line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (r.count == 8) {
            r.tooMany = true;
            break;
        }
        if (!parseSingle(field, &r.values[std::size_t(r.count)]))
            return r;
        ++r.count;
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    r.ok = true;
    return r;
}

QString workbookPathFor(const QString &folder, const QDateTime &time)
{
    const QDir dir(folder);
    const QString stem = QStringLiteral("Realtimedata_") + time.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString path = dir.filePath(stem + QStringLiteral(".xlsx"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(stem + QStringLiteral("_%1.xlsx").arg(n));
    return path;
}

ExportResult exportRecords(const ExportOptions &options)
{
    using Status = ExportResult::Status;
    ExportResult result;
    QFile log(options.logPath);
    if (!log.exists()) {
        result.status = Status::NoLog;
        return result;
    }
    if (!log.open(QIODevice::ReadOnly)) {
        result.status = Status::LogUnreadable;
        result.error = log.errorString();
        return result;
    }
    const qint64 total = options.logBytes >= 0 ? std::min(options.logBytes, log.size()) : log.size();

    const QString temporary = options.workbookPath + QStringLiteral(".part");
    QFile::remove(temporary);
    // The writer is loaded here, on the first export, not at start-up.
    const QString programDir
        = options.programDir.isEmpty() ? QCoreApplication::applicationDirPath() : options.programDir;
    const std::unique_ptr<WorkbookSink> book = makeWorkbookSink(programDir, &result.error);
    if (!book) {
        result.status = Status::WorkbookFailed;
        return result;
    }
    const QByteArray temporaryName = nativePath(temporary);
    // The workbook says which build of the tool wrote it.
    static const std::string program = std::string("Kestrane ") + buildinfo::versionString();
    if (!book->open(temporaryName.constData(), "Realtimedata", program.c_str())) {
        result.status = Status::WorkbookFailed;
        result.error = QStringLiteral("cannot create %1").arg(QDir::toNativeSeparators(temporary));
        return result;
    }

    const int rowsPerSheet = std::max(2, int(std::min<qint64>(options.rowsPerSheet, book->maxRows())));
    std::uint32_t row = 0;
    std::uint32_t firstSheetLastRow = 0;
    auto newSheet = [&] {
        ++result.sheets;
        row = 0;
        return book->addDataSheet();
    };

    int written = WorkbookSink::kOk;
    qint64 consumed = 0;
    qint64 lineNumber = 0;
    int lastPercent = -1;
    bool cancelled = false;
    while (consumed < total && written == WorkbookSink::kOk) {
        if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
            cancelled = true;
            break;
        }
        QByteArray line = log.readLine();
        if (line.isEmpty())
            break; // the file shrank under us
        if (consumed + line.size() > total)
            line.truncate(total - consumed);
        consumed += line.size();
        ++lineNumber;
        const ParsedRecord r = parseRecordLine(std::string_view(line.constData(), std::size_t(line.size())));
        if (r.blank)
            continue;
        if (!r.ok) {
            if (result.skippedLines++ == 0)
                result.firstSkippedLine = lineNumber;
            continue;
        }
        result.longLines += r.tooMany ? 1 : 0;
        if (result.sheets == 0 || row + 1 >= std::uint32_t(rowsPerSheet)) {
            written = newSheet();
            if (written != WorkbookSink::kOk)
                break;
        }
        ++row;
        if (result.sheets == 1)
            firstSheetLastRow = row;
        for (int c = 0; c < r.count && written == WorkbookSink::kOk; ++c)
            written = book->writeNumber(row, std::uint16_t(c), r.values[std::size_t(c)]);
        ++result.records;
        if (options.progress && total > 0) {
            const int percent = int(consumed * 100 / total);
            if (percent != lastPercent) {
                lastPercent = percent;
                options.progress(percent);
            }
        }
    }
    if (written == WorkbookSink::kOk && log.error() != QFileDevice::NoError && consumed < total) {
        result.status = Status::LogUnreadable;
        result.error = log.errorString();
    }

    if (result.records > 0 && written == WorkbookSink::kOk && !cancelled && result.error.isEmpty())
        book->addCharts("Sheet1", firstSheetLastRow);
    // Closing writes the file; an empty workbook is closed and thrown away.
    const int closed = book->close();
    auto discard = [&] { QFile::remove(temporary); };

    if (cancelled) {
        discard();
        result.status = Status::Cancelled;
        return result;
    }
    if (!result.error.isEmpty()) {
        discard();
        return result;
    }
    if (written != WorkbookSink::kOk || closed != WorkbookSink::kOk) {
        discard();
        result.status = Status::WorkbookFailed;
        result.error = QString::fromUtf8(book->errorText(written != WorkbookSink::kOk ? written : closed));
        return result;
    }
    if (result.records == 0) {
        discard();
        result.status = Status::NoRecords;
        return result;
    }
    // The workbook's name is new (workbookPathFor), so the rename never
    // replaces anything; should the name have been taken meanwhile, it fails
    // and says so.
    QFile finished(temporary);
    if (!finished.rename(options.workbookPath)) {
        result.error = finished.errorString();
        discard();
        result.status = Status::WorkbookFailed;
        return result;
    }
    result.workbookPath = options.workbookPath;
    if (options.progress)
        options.progress(100);
    return result;
}

RecordExportJob::RecordExportJob(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<ExportResult>();
}

RecordExportJob::~RecordExportJob()
{
    if (m_thread) {
        m_cancel->store(true);
        m_thread->wait();
        delete m_thread;
    }
}

bool RecordExportJob::start(ExportOptions options)
{
    if (m_thread)
        return false;
    // Asked here, on the owner's thread: Qt caches the program's path
    // without a lock.
    if (options.programDir.isEmpty())
        options.programDir = QCoreApplication::applicationDirPath();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    auto cancel = m_cancel;
    auto result = std::make_shared<ExportResult>();
    options.cancel = cancel.get();
    options.progress = [this](int percent) {
        // Queued to the owner's thread; dropped when the job is gone.
        QMetaObject::invokeMethod(this, [this, percent] { emit progress(percent); },
                                  Qt::QueuedConnection);
    };
    m_thread = QThread::create([options, result, cancel] { *result = exportRecords(options); });
    connect(m_thread, &QThread::finished, this, [this, result] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished(*result);
    });
    m_thread->start();
    return true;
}
