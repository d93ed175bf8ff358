#pragma once
// The arithmetic of the Idc calibration page, free of widgets: the gain and
// shift for an average calibration factor, the worksheet of measured points,
// the calendar week and the model text of the status bar.

#include <QChar>
#include <QDate>
#include <QString>

#include <array>

// The controller scales its Idc reading by gain / 2^shift.
struct IdcGainShift
{
    int gain = 0;
    int shift = 0;
    bool operator==(const IdcGainShift &) const = default;
};

// The smallest shift 0..15 whose rounded gain (halves away from zero) comes
// within 1 % of `factor`; shift 15 and its gain when none does. `factor`
// must be above 0.
IdcGainShift idcGainShift(double factor);

// One row of the worksheet: the current measured with an instrument and
// the ADC value the controller showed for it, as typed.
struct WorksheetRow
{
    QString actual;
    QString adc;
};
using Worksheet = std::array<WorksheetRow, 3>;

// A row counts as a recorded point when both boxes hold a number other than 0.
bool worksheetRowFilled(const WorksheetRow &row, QChar decimalPoint);
int filledWorksheetRows(const Worksheet &rows, QChar decimalPoint);

struct WorksheetStage
{
    enum class Outcome {
        NoPoints,    // nothing recorded: "Please do Idc calibration first!"
        MissingRow,  // the first n rows are not all filled: "Please input DC Current <k> !"
        Computed,    // factors and their mean below
    };
    Outcome outcome = Outcome::NoPoints;
    int points = 0;     // n, the filled rows
    int missingRow = 0; // 1-based, for MissingRow
    std::array<QString, 3> factors; // "0.0000" for the first n rows, "0" for the rest
    QString average;                // "0.000"
};

// The first stage of "Calc": with n filled rows, rows 1..n give the factors
// actual x 100 / ADC and their mean. A gap among rows 1..n stops the stage
// (a division by an empty ADC box would give nonsense).
WorksheetStage worksheetStage(const Worksheet &rows, QChar decimalPoint);

// The calendar week of `date` in its year, weeks starting on Sunday: the week
// holding 1 January is 1 (at most 54).
int calendarWeek(const QDate &date);

// The model text of the status bar for a subproject number: "Model <n>" for
// the twenty codes of the product range, empty for any other.
bool isKnownSubproject(int subproject);
QString mcuModelText(int languageCode, int subproject);
