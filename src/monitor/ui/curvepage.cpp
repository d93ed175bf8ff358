#include "monitor/ui/curvepage.h"

#include <QKeyEvent>
#include <QCoreApplication>
#include <QEvent>

#include "core/appstate.h"
#include "core/language.h"
#include "widgets/fonts.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
// Room around the surface for the labels, in pixels.
constexpr int kLeft = 64;
constexpr int kTop = 34;
constexpr int kRight = 28;
constexpr int kBottom = 76;
// The surface behind the light grid.
const QColor kBackground(0x20, 0x24, 0x2C);

QColor colourOf(quint32 bgr)
{
    return QColor::fromRgb(CurveLook::rgbOf(bgr));
}
} // namespace

CurveSurface::CurveSurface(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picCurve"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurveSurface::setModel(const CurveModel &model)
{
    m_model = model;
    update();
}

void CurveSurface::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    if (m_model.isEmpty())
        return;
    const QSizeF size(width() - 1, height() - 1);
    auto at = [size](QPointF user) { return CurveModel::toSurface(user, size); };

    p.setPen(QPen(colourOf(CurveLook::kGridBgr), CurveLook::kGridWidth));
    for (const QLineF &line : m_model.gridLines())
        p.drawLine(QLineF(at(line.p1()), at(line.p2())));

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colourOf(CurveLook::kCurveBgr), CurveLook::kCurveWidth, Qt::SolidLine,
                  Qt::RoundCap, Qt::RoundJoin));
    QPolygonF curve;
    for (const QPointF &point : m_model.curvePoints())
        curve << at(point);
    p.drawPolyline(curve);
}

CurvePage::CurvePage(CurveState &curve, QWidget *parent) : QWidget(parent), m_curve(curve)
{
    setObjectName(QStringLiteral("frmCurve"));
    setWindowTitle(QStringLiteral("Curve"));
    setFont(englishFont(9));
    m_surface = new CurveSurface(this);

    // Design texts: the labels of the start scale until the first drawing.
    const QStringList speeds = CurveModel::speedLabels(kCurveScaleStart);
    for (int k = 0; k < 14; ++k) {
        auto *l = new QLabel(speeds[k], this);
        l->setObjectName(QStringLiteral("lblx%1").arg(k));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        m_speedLabels << l;
    }
    const QStringList currents = CurveModel::currentLabels();
    for (int k = 0; k < 10; ++k) {
        auto *l = new QLabel(currents[k], this);
        l->setObjectName(QStringLiteral("lbly%1").arg(k));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_currentLabels << l;
    }
    m_xTitle = new QLabel(this);
    m_xTitle->setObjectName(QStringLiteral("Label1"));
    m_xTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_yTitle = new QLabel(this);
    m_yTitle->setObjectName(QStringLiteral("Label2"));
    m_redraw = new QPushButton(this);
    m_redraw->setObjectName(QStringLiteral("cmdDrawBK"));
    m_redraw->setAutoDefault(false);
    retranslate();
    connect(m_redraw, &QPushButton::clicked, this, &CurvePage::cmdDrawBK_Click);

    resize(sizeHint());
    placeControls();
}

void CurvePage::retranslate()
{
    const auto text = [](const char *source) { return QCoreApplication::translate("frmCurve", source); };
    const char *xTitle = QT_TRANSLATE_NOOP("frmCurve", "Speed[rpm]");
    // The Chinese translator is installed exactly while the tool speaks Chinese.
    const QFont font = chineseTranslatorInstalled() ? chineseFont(9) : englishFont(9);
    m_xTitle->setText(text(xTitle));
    m_yTitle->setText(text(QT_TRANSLATE_NOOP("frmCurve", "Phase current[A]")));
    m_redraw->setText(text(QT_TRANSLATE_NOOP("frmCurve", "Redraw curve")));
    for (QWidget *w : {static_cast<QWidget *>(m_xTitle), static_cast<QWidget *>(m_yTitle),
                       static_cast<QWidget *>(m_redraw)})
        w->setFont(font);
}

void CurvePage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_redraw)
        retranslate();
    QWidget::changeEvent(event);
}

QSize CurvePage::sizeHint() const
{
    return {kLeft + 14 * 44 + kRight, kTop + 10 * 34 + kBottom};
}

void CurvePage::drawCurveLabels()
{
    const QStringList speeds = CurveModel::speedLabels(m_curve.curveScale);
    for (int k = 0; k < 14; ++k)
        m_speedLabels[k]->setText(speeds[k]);
}

void CurvePage::drawCurve()
{
    drawCurveLabels();
    m_surface->setModel(CurveModel::fromState(m_curve));
}

void CurvePage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void CurvePage::placeControls()
{
    const QRect plot(kLeft, kTop, std::max(140, width() - kLeft - kRight),
                     std::max(100, height() - kTop - kBottom));
    m_surface->setGeometry(plot);
    const QSizeF size(plot.width() - 1, plot.height() - 1);
    const int column = plot.width() / 14;
    const int lineHeight = fontMetrics().height();

    for (int k = 0; k < 14; ++k) {
        const QPointF at = CurveModel::toSurface({double(k + 1), CurveLook::kHeight}, size);
        const int x = plot.left() + int(at.x());
        m_speedLabels[k]->setGeometry(x - column / 2, plot.bottom() + 4, column, lineHeight);
    }
    for (int k = 0; k < 10; ++k) {
        const QPointF at = CurveModel::toSurface({0, CurveLook::kHeight - (k + 1)}, size);
        const int y = plot.top() + int(at.y());
        m_currentLabels[k]->setGeometry(0, y - lineHeight / 2, kLeft - 6, lineHeight);
    }
    const int titleHeight = m_yTitle->sizeHint().height();
    m_yTitle->setGeometry(6, (kTop - titleHeight) / 2, m_yTitle->sizeHint().width(), titleHeight);
    const QSize button = m_redraw->sizeHint();
    const int rowY = plot.bottom() + 8 + lineHeight;
    m_redraw->setGeometry(kLeft, rowY + (kBottom - 8 - lineHeight - button.height()) / 2,
                          button.width() + 16, button.height());
    m_xTitle->setGeometry(plot.right() - 160, m_redraw->y(), 160, button.height());
}

void CurvePage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
