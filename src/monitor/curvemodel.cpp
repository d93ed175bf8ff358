#include "monitor/curvemodel.h"

#include "core/appstate.h"

#include <cmath>

CurveModel::CurveModel(const std::array<double, 14> &table, int scale)
    : m_table(table), m_scale(scale), m_drawn(true)
{
}

CurveModel CurveModel::fromState(const CurveState &curve)
{
    return CurveModel(curve.curveTable, curve.curveScale);
}

qint64 CurveModel::labelStep(int scale)
{
    return qint64(std::floor(double(scale) / 13.0));
}

QStringList CurveModel::speedLabels(int scale)
{
    const qint64 step = labelStep(scale);
    QStringList labels;
    for (int k = 0; k < 14; ++k)
        labels << QString::number(step * (k + 1));
    return labels;
}

QStringList CurveModel::currentLabels()
{
    QStringList labels;
    for (int k = 1; k <= 10; ++k)
        labels << QString::number(50 * k);
    return labels;
}

QList<QLineF> CurveModel::gridLines() const
{
    QList<QLineF> lines;
    if (isEmpty())
        return lines;
    for (int i = 0; i <= 14; ++i)
        lines << QLineF(i, 0, i, CurveLook::kHeight);
    for (int i = 0; i <= 10; ++i)
        lines << QLineF(0, i, CurveLook::kWidth, i);
    return lines;
}

double CurveModel::yOf(double amperes)
{
    return (500.0 - amperes) * 10.0 / 500.0;
}

QList<QPointF> CurveModel::curvePoints() const
{
    QList<QPointF> points;
    if (isEmpty())
        return points;
    points << QPointF(0, 0);
    for (int i = 0; i < 14; ++i)
        points << QPointF(i + 1, yOf(m_table[std::size_t(i)]));
    return points;
}

QPointF CurveModel::toSurface(QPointF user, QSizeF size)
{
    return {user.x() * size.width() / CurveLook::kWidth, user.y() * size.height() / CurveLook::kHeight};
}
