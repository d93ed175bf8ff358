#pragma once
// What the workbook module (monitor/xlsxworkbook.cpp, built as
// kestrane-workbook) hands the export: the spreadsheet writer behind a few
// calls, so the writer and the zip and crypto libraries it needs are loaded
// on the first export instead of at every start. monitor/workbookmodule.h
// finds and loads the module. Header only, free of Qt: the module links
// nothing of the tool.

#include <array>
#include <cstdint>

// The headings of row 1, in the order of the record's fields.
inline constexpr std::array<const char *, 8> kRecordHeadings = {
    "时间[s]", "电压[v]", "电机温度[度]", "转速[rpm]", "电机电流[A]", "温度[度]", "转把[V]", "错误代码",
};

class WorkbookSink
{
public:
    // What writeNumber, addDataSheet and close return when all went well.
    static constexpr int kOk = 0;

    virtual ~WorkbookSink() = default;

    // Starts the workbook file `path` (the file system's encoding; UTF-8 on
    // Windows), kept small in memory whatever the number of rows, with the
    // document title and comments given. False when it cannot be created.
    virtual bool open(const char *path, const char *title, const char *comments) = 0;
    // The next data sheet ("Sheet1", "Sheet2", ...): kRecordHeadings in row 1,
    // the eight columns 13 wide, row 1 frozen. Numbers go into it from now on.
    virtual int addDataSheet() = 0;
    // A number into the current data sheet; rows count from 0 (the headings).
    virtual int writeNumber(std::uint32_t row, std::uint16_t column, double value) = 0;
    // The "Chart" sheet, plotting rows 1..lastRow of the sheet `dataSheet`.
    virtual void addCharts(const char *dataSheet, std::uint32_t lastRow) = 0;
    // Writes the file and ends the workbook (also after a failure, to let go
    // of its temporary files).
    virtual int close() = 0;
    // What a code returned above means (English).
    virtual const char *errorText(int code) const = 0;
    // Rows a sheet can hold, the headings included.
    virtual std::uint32_t maxRows() const = 0;
};

// The module's one exported function, by name: a new sink, owned by the
// caller.
#define KESTRANE_WORKBOOK_ENTRY "kestraneMakeWorkbookSink"
using MakeWorkbookSink = WorkbookSink *(*)();
