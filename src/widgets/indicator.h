#pragma once
// The round connection indicator ShapeWelCom1: a filled shape whose colour is
// a 24-bit value with red in the low byte (255 red, 65280 green).

#include <QWidget>

class IndicatorShape : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int fillColor READ fillColor WRITE setFillColor)
public:
    explicit IndicatorShape(QWidget *parent = nullptr);

    int fillColor() const { return m_fillColor; }
    void setFillColor(int bgr);
    QSize sizeHint() const override { return {22, 22}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_fillColor = 255;
};

// 24-bit colour with red in the low byte, as a QColor.
QColor colorFromBgr(int bgr);
inline constexpr int kColorRed = 255;
inline constexpr int kColorGreen = 65280;
