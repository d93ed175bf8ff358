// The workbook module kestrane-workbook: the only part of the tool that links
// the spreadsheet writer. Loaded by the export on its first run
// (monitor/workbookmodule.h).

#include "monitor/workbooksink.h"

#include <xlsxwriter.h>

#if defined(_WIN32)
#define KESTRANE_MODULE_EXPORT __declspec(dllexport)
#else
#define KESTRANE_MODULE_EXPORT __attribute__((visibility("default")))
#endif

namespace {

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
        if (!chart)
            return;
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

class XlsxWorkbook : public WorkbookSink
{
public:
    ~XlsxWorkbook() override
    {
        // Given up without close(): nothing is written, the memory and the
        // temporary files go.
        if (m_book)
            lxw_workbook_free(m_book);
    }

    bool open(const char *path, const char *title, const char *comments) override
    {
        if (m_book)
            return false;
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        m_book = workbook_new_opt(path, &options);
        if (!m_book)
            return false;
        lxw_doc_properties properties{};
        properties.title = const_cast<char *>(title);
        properties.comments = const_cast<char *>(comments);
        workbook_set_properties(m_book, &properties);
        return true;
    }

    int addDataSheet() override
    {
        m_sheet = m_book ? workbook_add_worksheet(m_book, nullptr) : nullptr;
        if (!m_sheet)
            return LXW_ERROR_MEMORY_MALLOC_FAILED;
        for (int c = 0; c < 8; ++c)
            worksheet_write_string(m_sheet, 0, lxw_col_t(c), kRecordHeadings[std::size_t(c)], nullptr);
        worksheet_set_column(m_sheet, 0, 7, 13, nullptr);
        worksheet_freeze_panes(m_sheet, 1, 0);
        return LXW_NO_ERROR;
    }

    int writeNumber(std::uint32_t row, std::uint16_t column, double value) override
    {
        if (!m_sheet)
            return LXW_ERROR_NULL_PARAMETER_IGNORED;
        return worksheet_write_number(m_sheet, row, column, value, nullptr);
    }

    void addCharts(const char *dataSheet, std::uint32_t lastRow) override
    {
        if (m_book)
            ::addCharts(m_book, dataSheet, lastRow);
    }

    int close() override
    {
        if (!m_book)
            return LXW_ERROR_NULL_PARAMETER_IGNORED;
        lxw_workbook *book = m_book;
        m_book = nullptr;
        m_sheet = nullptr;
        return workbook_close(book); // frees the workbook whatever it returns
    }

    const char *errorText(int code) const override { return lxw_strerror(lxw_error(code)); }

    std::uint32_t maxRows() const override { return LXW_ROW_MAX; }

private:
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
};

static_assert(LXW_NO_ERROR == WorkbookSink::kOk);

} // namespace

extern "C" KESTRANE_MODULE_EXPORT WorkbookSink *kestraneMakeWorkbookSink()
{
    return new XlsxWorkbook;
}
