#include "monitor/recordexport.h"

#include "buildinfo/buildinfo.h"

#include <string>

#include "monitor/recorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <xlsxwriter.h>

#include <charconv>
#include <cmath>

const std::array<const char *, 8> kRecordHeadings = {
    "时间[s]", "电压[v]", "电机温度[度]", "转速[rpm]", "电机电流[A]", "温度[度]", "转把[V]", "错误代码",
};

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

// The chart sheet: speed on a chart of its own (thousands of rpm would flatten
// everything else), then voltage, current and both temperatures.
void addCharts(lxw_workbook *book, const char *dataSheet, lxw_row_t lastRow)
{
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Chart");
    if (!sheet)
        return;
    struct Plot
    {
        std::array<int, 4> columns;
        lxw_row_t row;
    };
    const Plot plots[] = {{{3, -1, -1, -1}, 0}, {{1, 4, 2, 5}, 22}};
    for (const Plot &p : plots) {
        lxw_chart *chart = workbook_add_chart(book, LXW_CHART_SCATTER_STRAIGHT);
        for (int column : p.columns) {
            if (column < 0)
                continue;
            lxw_chart_series *series = chart_add_series(chart, nullptr, nullptr);
            chart_series_set_categories(series, dataSheet, 1, 0, lastRow, 0);
            chart_series_set_values(series, dataSheet, 1, lxw_col_t(column), lastRow, lxw_col_t(column));
            chart_series_set_name_range(series, dataSheet, 0, lxw_col_t(column));
        }
        chart_axis_set_name(chart->x_axis, kRecordHeadings[0]);
        chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
        lxw_chart_options placement{};
        placement.x_scale = 2.2;
        placement.y_scale = 1.4;
        worksheet_insert_chart_opt(sheet, p.row, 0, chart, &placement);
    }
}

QString libraryError(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
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
    const QByteArray temporaryName = nativePath(temporary);
    lxw_workbook_options bookOptions{};
    bookOptions.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(temporaryName.constData(), &bookOptions);
    if (!book) {
        result.status = Status::WorkbookFailed;
        result.error = QStringLiteral("cannot create %1").arg(QDir::toNativeSeparators(temporary));
        return result;
    }
    // The workbook says which build of the tool wrote it.
    static const std::string program = std::string("Kestrane ") + buildinfo::versionString();
    lxw_doc_properties properties{};
    properties.title = const_cast<char *>("Realtimedata");
    properties.comments = const_cast<char *>(program.c_str());
    workbook_set_properties(book, &properties);

    const int rowsPerSheet = std::max(2, std::min(options.rowsPerSheet, int(LXW_ROW_MAX)));
    lxw_worksheet *sheet = nullptr;
    lxw_row_t row = 0;
    lxw_row_t firstSheetLastRow = 0;
    auto newSheet = [&] {
        sheet = workbook_add_worksheet(book, nullptr);
        ++result.sheets;
        for (int c = 0; c < 8; ++c)
            worksheet_write_string(sheet, 0, lxw_col_t(c), kRecordHeadings[std::size_t(c)], nullptr);
        worksheet_set_column(sheet, 0, 7, 13, nullptr);
        worksheet_freeze_panes(sheet, 1, 0);
        row = 0;
    };

    lxw_error written = LXW_NO_ERROR;
    qint64 consumed = 0;
    qint64 lineNumber = 0;
    int lastPercent = -1;
    bool cancelled = false;
    while (consumed < total && written == LXW_NO_ERROR) {
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
        if (!sheet || row + 1 >= lxw_row_t(rowsPerSheet))
            newSheet();
        ++row;
        if (result.sheets == 1)
            firstSheetLastRow = row;
        for (int c = 0; c < r.count && written == LXW_NO_ERROR; ++c)
            written = worksheet_write_number(sheet, row, lxw_col_t(c), r.values[std::size_t(c)], nullptr);
        ++result.records;
        if (options.progress && total > 0) {
            const int percent = int(consumed * 100 / total);
            if (percent != lastPercent) {
                lastPercent = percent;
                options.progress(percent);
            }
        }
    }
    if (written == LXW_NO_ERROR && log.error() != QFileDevice::NoError && consumed < total) {
        result.status = Status::LogUnreadable;
        result.error = log.errorString();
    }

    if (result.records > 0 && written == LXW_NO_ERROR && !cancelled && result.error.isEmpty())
        addCharts(book, "Sheet1", firstSheetLastRow);
    // Closing writes the file; an empty workbook is closed and thrown away.
    const lxw_error closed = workbook_close(book);
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
    if (written != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        discard();
        result.status = Status::WorkbookFailed;
        result.error = libraryError(written != LXW_NO_ERROR ? written : closed);
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
