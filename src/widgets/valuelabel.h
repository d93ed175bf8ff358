#pragma once
// A label for a live value, whose text changes with every status block.
//
// A plain label lets its parent show through, so each new text repaints the
// parent under it first (a group box redraws its frame and title) and then
// the label. This one paints its whole rectangle itself: the parent's own
// drawing under it comes from a copy taken when its text first changes
// (again after a move, a resize or a change of palette or style), so a new
// text repaints this rectangle and nothing else. What it shows is pixel for pixel what a plain
// label shows.
//
// Where the style draws texts as the common styles do, a single-line text
// of digits, signs and points is drawn from glyphs shaped once per
// character, when the font has no kerning between those characters; any
// other text is laid out once and kept, the last few per label. A text of
// several lines (the I/O lines: a few dozen texts in all) is kept as the
// pixels it painted, the last few per label, and shown again from them.

#include <QLabel>
#include <QPixmap>

#include <list>
#include <memory>

class ValueLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ValueLabel(QWidget *parent = nullptr);
    explicit ValueLabel(const QString &text, QWidget *parent = nullptr);
    ~ValueLabel() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void forgetBackground();
    void forgetKept();
    bool paintBackground(QPainter &painter, const QRegion &region);
    bool paintTextFast(QPainter &painter);
    bool paintKept(QPainter &painter);

    struct Glyphs;
    struct Kept;
    struct KeptFor;
    QPixmap m_background;
    bool m_backgroundValid = false;
    bool m_paintedOnce = false;
    QObject *m_watched = nullptr;
    std::unique_ptr<Glyphs> m_glyphs;
    std::list<Kept> m_kept;
    qsizetype m_keptBytes = 0;
    std::unique_ptr<KeptFor> m_keptFor;
};
