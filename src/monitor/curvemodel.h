#pragma once
// The drawing of the curve page as data: the current-reference table over
// the speed axis, in the page's own units (x 0..14 from left to right, y 0..10
// from top to bottom; one grid row is 50 A, 500 A lies on the top edge and
// 0 A on the bottom edge). The page paints what this says; the tests read it.

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QStringList>

#include <array>

struct CurveState;

namespace CurveLook {
inline constexpr double kWidth = 14;
inline constexpr double kHeight = 10;
// Colours as the controller's tools give them: blue-green-red, red in the
// low byte.
inline constexpr quint32 kGridBgr = 13499135;  // &HCDFAFF
inline constexpr quint32 kCurveBgr = 13382297; // &HCC3299
inline constexpr int kGridWidth = 1;
inline constexpr int kCurveWidth = 3;
// 0xRRGGBB of a blue-green-red value.
constexpr quint32 rgbOf(quint32 bgr)
{
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}
} // namespace CurveLook

class CurveModel
{
public:
    // An empty surface: nothing drawn yet.
    CurveModel() = default;
    CurveModel(const std::array<double, 14> &table, int scale);
    static CurveModel fromState(const CurveState &curve);

    bool isEmpty() const { return !m_drawn; }
    const std::array<double, 14> &table() const { return m_table; }
    int scale() const { return m_scale; }

    // The speed step between two vertical grid lines: the scale divided by
    // 13, rounded down (fourteen labels, thirteen steps).
    static qint64 labelStep(int scale);
    // The fourteen speed labels under the vertical lines 1..14.
    static QStringList speedLabels(int scale);
    // The ten current labels of the horizontal lines, bottom to top.
    static QStringList currentLabels();

    // 15 vertical lines then 11 horizontal ones; none when empty.
    QList<QLineF> gridLines() const;
    // The curve: from the top-left corner (0, 0) through the fourteen points
    // of the table at x = 1..14. Values are not clipped: above 500 A a point
    // lies above the top edge, below 0 under the bottom edge. None when empty.
    QList<QPointF> curvePoints() const;
    // The y of a current value.
    static double yOf(double amperes);

    // A point of the page's units on a surface of `size` pixels.
    static QPointF toSurface(QPointF user, QSizeF size);

    bool operator==(const CurveModel &other) const = default;

private:
    std::array<double, 14> m_table{};
    int m_scale = 0;
    bool m_drawn = false;
};
