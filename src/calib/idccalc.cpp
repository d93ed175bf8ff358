#include "calib/idccalc.h"

#include "core/language.h"
#include "core/textnumber.h"

#include <QCoreApplication>

#include <cmath>

namespace {
constexpr int kMaxShift = 15;
constexpr double kTolerance = 0.01;

// Halves away from zero.
double roundAway(double x)
{
    return std::round(x);
}

bool nonZeroNumber(const QString &text, QChar decimalPoint, double *value)
{
    const ParsedNumber n = parseNumber(text, decimalPoint);
    if (!n.ok() || n.value == 0 || !std::isfinite(n.value))
        return false;
    *value = n.value;
    return true;
}

constexpr int kModelCodes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 25, 30, 35, 40, 41, 45, 80};

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Weeks (Sunday to Saturday) since a fixed Sunday.
qint64 sundayWeekIndex(const QDate &d)
{
    static const qint64 referenceSunday = QDate(2012, 12, 30).toJulianDay();
    return floorDiv(d.toJulianDay() - referenceSunday, 7);
}
} // namespace

IdcGainShift idcGainShift(double factor)
{
    double g = 0;
    for (int i = 0; i <= kMaxShift; ++i) {
        const double x = std::ldexp(factor, i);
        g = roundAway(x);
        if (std::abs(x - g) / x < kTolerance)
            return {int(g), i};
    }
    return {int(g), kMaxShift};
}

bool worksheetRowFilled(const WorksheetRow &row, QChar decimalPoint)
{
    double a = 0, b = 0;
    return nonZeroNumber(row.actual, decimalPoint, &a) && nonZeroNumber(row.adc, decimalPoint, &b);
}

int filledWorksheetRows(const Worksheet &rows, QChar decimalPoint)
{
    int n = 0;
    for (const WorksheetRow &row : rows)
        n += worksheetRowFilled(row, decimalPoint) ? 1 : 0;
    return n;
}

WorksheetStage worksheetStage(const Worksheet &rows, QChar decimalPoint)
{
    WorksheetStage stage;
    stage.points = filledWorksheetRows(rows, decimalPoint);
    if (stage.points == 0)
        return stage;
    double sum = 0;
    for (int k = 0; k < int(rows.size()); ++k) {
        if (k >= stage.points) {
            stage.factors[std::size_t(k)] = QStringLiteral("0");
            continue;
        }
        double actual = 0, adc = 0;
        if (!nonZeroNumber(rows[std::size_t(k)].actual, decimalPoint, &actual) ||
            !nonZeroNumber(rows[std::size_t(k)].adc, decimalPoint, &adc)) {
            stage.outcome = WorksheetStage::Outcome::MissingRow;
            stage.missingRow = k + 1;
            stage.factors = {};
            return stage;
        }
        const double factor = actual * 100 / adc;
        sum += factor;
        stage.factors[std::size_t(k)] = formatFixed(factor, 4, decimalPoint);
    }
    stage.outcome = WorksheetStage::Outcome::Computed;
    stage.average = formatFixed(sum / stage.points, 3, decimalPoint);
    return stage;
}

int calendarWeek(const QDate &date)
{
    return int(sundayWeekIndex(date) - sundayWeekIndex(QDate(date.year(), 1, 1))) + 1;
}

bool isKnownSubproject(int subproject)
{
    for (int code : kModelCodes) {
        if (code == subproject)
            return true;
    }
    return false;
}

QString mcuModelText(int languageCode, int subproject)
{
    if (!isKnownSubproject(subproject))
        return QString();
    const QString t = bilingual(languageCode, "McuSN", QT_TRANSLATE_NOOP("McuSN", "Model %1"));
    return (t.isNull() ? QStringLiteral("Model %1") : t).arg(subproject);
}
