#pragma once
// The curve page frmCurve: the current-reference table over speed. It keeps
// its last drawing (the model of it) and paints that whenever it is shown
// or uncovered; drawCurve takes a new drawing from the curve state, whether
// the page is on screen or not. Its texts are the same in both languages.

#include "monitor/curvemodel.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;
struct CurveState;

// picCurve: paints the page's drawing scaled to its size.
class CurveSurface : public QWidget
{
    Q_OBJECT
public:
    explicit CurveSurface(QWidget *parent = nullptr);
    void setModel(const CurveModel &model);
    const CurveModel &model() const { return m_model; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CurveModel m_model;
};

class CurvePage : public QWidget
{
    Q_OBJECT
public:
    explicit CurvePage(CurveState &curve, QWidget *parent = nullptr);

    // The fourteen speed labels from the curve scale.
    void drawCurveLabels();
    // Clears the surface, writes the speed labels and draws grid and curve
    // from the curve state.
    void drawCurve();
    void cmdDrawBK_Click() { drawCurve(); }

    const CurveModel &model() const { return m_surface->model(); }
    CurveSurface *surface() const { return m_surface; }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Escape closes the page, as on every page.
    void keyPressEvent(QKeyEvent *event) override;
    // The axis titles and the button follow the language of the tool.
    void changeEvent(QEvent *event) override;

private:
    void placeControls();
    void retranslate();

    CurveState &m_curve;
    CurveSurface *m_surface = nullptr;
    QList<QLabel *> m_speedLabels;   // lblx0..lblx13
    QList<QLabel *> m_currentLabels; // lbly0..lbly9, bottom to top
    QLabel *m_xTitle = nullptr;      // Label1
    QLabel *m_yTitle = nullptr;      // Label2
    QPushButton *m_redraw = nullptr; // cmdDrawBK
};
