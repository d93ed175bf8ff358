#include "widgets/indicator.h"

#include <QPainter>

QColor colorFromBgr(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

IndicatorShape::IndicatorShape(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(18, 18);
}

void IndicatorShape::setFillColor(int bgr)
{
    if (bgr == m_fillColor)
        return;
    m_fillColor = bgr;
    update();
}

void IndicatorShape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height()) - 2;
    const QRect r((width() - side) / 2, (height() - side) / 2, side, side);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(colorFromBgr(m_fillColor));
    p.drawEllipse(r);
}
