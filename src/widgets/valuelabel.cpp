#include "widgets/valuelabel.h"

#include <QEvent>
#include <QGlyphRun>
#include <QImage>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <list>
#include <map>

namespace {

// A text laid out as QPainter::drawText lays out a single line: the glyphs
// with their places from the top left of the line, its width and height.
struct Shaped
{
    QList<QGlyphRun> runs;
    qreal width = 0;   // what the text spans (its bounds)
    qreal advance = 0; // where its glyphs end (what it is aligned by)
    qreal height = 0;
    bool valid = false;
};

Shaped shape(const QString &text, const QFont &font)
{
    Shaped s;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return s;
    }
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    if (layout.createLine().isValid()) {
        layout.endLayout();
        return s;
    }
    layout.endLayout();
    s.runs = layout.glyphRuns();
    s.width = line.naturalTextWidth();
    s.advance = line.horizontalAdvance();
    // drawText centres the line's own height, not the whole pixels of
    // QTextLine::height().
    s.height = line.ascent() + line.descent();
    s.valid = true;
    return s;
}

// The characters of a number, and what each is in one font: the same glyph
// and advance wherever it stands, unless a pair of them kerns.
constexpr char kDigits[] = "0123456789-.";
constexpr int kDigitCount = int(sizeof(kDigits) - 1);

struct DigitFont
{
    bool composes = false;
    QRawFont raw;
    std::array<quint32, kDigitCount> glyph{};
    std::array<qreal, kDigitCount> advance{};
    qreal baseline = 0;
    qreal height = 0;
};

int digitIndex(QChar c)
{
    for (int i = 0; i < kDigitCount; ++i)
        if (c == QLatin1Char(kDigits[i]))
            return i;
    return -1;
}

DigitFont studyDigits(const QFont &font)
{
    DigitFont d;
    for (int i = 0; i < kDigitCount; ++i) {
        const Shaped s = shape(QString(QLatin1Char(kDigits[i])), font);
        if (!s.valid || s.runs.size() != 1 || s.runs[0].glyphIndexes().size() != 1)
            return d;
        const QGlyphRun &run = s.runs[0];
        if (i == 0) {
            d.raw = run.rawFont();
            d.baseline = run.positions()[0].y();
            d.height = s.height;
        } else if (run.rawFont() != d.raw || run.positions()[0].y() != d.baseline || s.height != d.height) {
            return d;
        }
        if (run.positions()[0].x() != 0 || s.width != s.advance)
            return d;
        d.glyph[i] = run.glyphIndexes()[0];
        d.advance[i] = s.advance;
    }
    // Every pair: the same two glyphs, the second where the first ends.
    for (int a = 0; a < kDigitCount; ++a) {
        for (int b = 0; b < kDigitCount; ++b) {
            const QString pair = QString(QLatin1Char(kDigits[a])) + QLatin1Char(kDigits[b]);
            const Shaped s = shape(pair, font);
            if (!s.valid || s.runs.size() != 1)
                return d;
            const QGlyphRun &run = s.runs[0];
            const QList<quint32> g = run.glyphIndexes();
            const QList<QPointF> p = run.positions();
            if (g.size() != 2 || g[0] != d.glyph[a] || g[1] != d.glyph[b] || p[0] != QPointF(0, d.baseline)
                || p[1] != QPointF(d.advance[a], d.baseline) || s.advance != d.advance[a] + d.advance[b]
                || s.width != s.advance)
                return d;
        }
    }
    d.composes = true;
    return d;
}

// Fonts are few (two languages, a bold and a larger one): what was learnt of
// each is kept for the process.
const DigitFont &digitsOf(const QFont &font)
{
    // A map: labels keep a reference to their font's entry.
    static std::map<QString, DigitFont> known;
    const QString key = font.key();
    auto it = known.find(key);
    if (it == known.end())
        it = known.emplace(key, studyDigits(font)).first;
    return it->second;
}

// The styles whose drawItemText sets the pen from the role and draws the
// text as QPainter::drawText does.
bool styleDrawsPlainText(const QStyle *style)
{
    while (auto *proxy = qobject_cast<const QProxyStyle *>(style))
        style = proxy->baseStyle();
    if (!style || style->styleHint(QStyle::SH_DitherDisabledText))
        return false;
    const QString name = style->name();
    return name.compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0;
}

// The entry of `recent` (most recent first) whose text is `text`, made the
// most recent; null if there is none.
template <typename Entry, typename TextOf>
Entry *bringToFront(std::list<Entry> &recent, const QString &text, TextOf textOf)
{
    auto it = std::find_if(recent.begin(), recent.end(), [&](const Entry &e) { return textOf(e) == text; });
    if (it == recent.end())
        return nullptr;
    recent.splice(recent.begin(), recent, it);
    return &recent.front();
}

// The smallest rectangle outside which two 32-bit images of one size and
// format are the same.
QRect whereTheyDiffer(const QImage &a, const QImage &b)
{
    QRect differ;
    for (int y = 0; y < a.height(); ++y) {
        const auto *pa = reinterpret_cast<const quint32 *>(a.constScanLine(y));
        const auto *pb = reinterpret_cast<const quint32 *>(b.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < a.width(); ++x) {
            if (pa[x] != pb[x]) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first >= 0)
            differ |= QRect(first, y, last - first + 1, 1);
    }
    return differ;
}

constexpr int kWordsKept = 64;
// Texts of several lines kept as pixels: the I/O lines have 64 in a
// language, each a few dozen kilobytes.
constexpr int kPaintsKept = 64;
constexpr qsizetype kPaintBytesKept = 4 * 1024 * 1024;
} // namespace

// A text of several lines as it was painted: the pixels where it differs
// from what lies under it.
struct ValueLabel::Kept
{
    QString text;
    QPoint at;
    QImage pixels;
};

// What the kept pixels were painted with; anything else and they go.
struct ValueLabel::KeptFor
{
    QImage::Format format = QImage::Format_Invalid;
    QSize size;
    QRect contents;
    QFont font;
    qint64 palette = 0;
    bool enabled = true;
    bool active = true;
    int alignment = 0;
    int margin = 0;
    int indent = 0;
    const QStyle *style = nullptr;
    bool operator==(const KeptFor &) const = default;
};

struct ValueLabel::Glyphs
{
    QFont font;
    const DigitFont *digits = nullptr;
    qreal leading = 0;
    // Texts other than numbers (words, "***", the lines of a longer text),
    // the most recent first.
    std::list<std::pair<QString, Shaped>> words;
    const Shaped *word(const QString &text)
    {
        if (auto *known = bringToFront(words, text, [](const auto &w) -> const QString & { return w.first; }))
            return &known->second;
        Shaped s = shape(text, font);
        if (!s.valid)
            return nullptr;
        words.emplace_front(text, std::move(s));
        if (int(words.size()) > kWordsKept)
            words.pop_back();
        return &words.front().second;
    }
    // The lines being drawn, and the glyphs of a number.
    struct Line
    {
        const QList<QGlyphRun> *runs = nullptr; // null: the number's glyphs
        qreal top = 0, height = 0;
        qreal width = 0;   // what the line spans: the text's bounds
        qreal advance = 0; // where its glyphs end: what it is aligned by
    };
    std::array<Line, 16> lines{};
    // The lines of one text are the most recent words while it is drawn.
    static_assert(std::tuple_size_v<decltype(lines)> < kWordsKept);
    std::array<quint32, 64> glyph{};
    std::array<QPointF, 64> place{};
    QGlyphRun run;
};

ValueLabel::ValueLabel(QWidget *parent) : ValueLabel(QString(), parent) {}

// Until its copy is made the label is see-through, as a plain label is:
// the paint that makes it finds the parent's drawing under it.
ValueLabel::ValueLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

ValueLabel::~ValueLabel() = default;

void ValueLabel::forgetKept()
{
    m_kept.clear();
    m_keptBytes = 0;
}

void ValueLabel::forgetBackground()
{
    m_backgroundValid = false;
    forgetKept();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ValueLabel::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::EnabledChange:
    case QEvent::ParentChange:
        forgetBackground();
        break;
    case QEvent::FontChange:
        m_glyphs.reset();
        forgetKept();
        break;
    default:
        break;
    }
    QLabel::changeEvent(event);
}

void ValueLabel::resizeEvent(QResizeEvent *event)
{
    forgetBackground();
    QLabel::resizeEvent(event);
}

void ValueLabel::moveEvent(QMoveEvent *event)
{
    forgetBackground();
    QLabel::moveEvent(event);
}

// The parent's resize, palette or style may change what lies under the label.
bool ValueLabel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watched) {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::PaletteChange:
        case QEvent::StyleChange:
        case QEvent::EnabledChange:
        case QEvent::FontChange:
            forgetBackground();
            break;
        default:
            break;
        }
    }
    return QLabel::eventFilter(watched, event);
}

// The parent as it paints itself under this rectangle, without its other
// children, over its background; then the label's frame. The copy is taken
// from what the parent has just painted under the see-through label where
// it can be (the window's first frame costs nothing more then), else the
// parent paints that rectangle once more into it.
bool ValueLabel::paintBackground(QPainter &painter, const QRegion &region)
{
    QWidget *parent = parentWidget();
    if (!parent)
        return false;
    if (m_watched != parent) {
        if (m_watched)
            m_watched->removeEventFilter(this);
        parent->installEventFilter(this);
        m_watched = parent;
        m_backgroundValid = false;
    }
    const qreal dpr = devicePixelRatioF();
    if (!m_backgroundValid || m_background.devicePixelRatio() != dpr) {
        QPixmap pixmap;
        const QPaintDevice *device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
        const QTransform toDevice = painter.deviceTransform();
        if (!testAttribute(Qt::WA_OpaquePaintEvent) && region.contains(rect()) && device
            && device->devType() == QInternal::Image && toDevice.type() <= QTransform::TxTranslate) {
            const auto *image = static_cast<const QImage *>(device);
            const QRect under = toDevice.mapRect(rect());
            if (!image->hasAlphaChannel() && image->rect().contains(under))
                pixmap = QPixmap::fromImage(image->copy(under));
        }
        if (pixmap.isNull()) {
            pixmap = QPixmap((QSizeF(size()) * dpr).toSize());
            pixmap.setDevicePixelRatio(dpr);
            pixmap.fill(Qt::transparent);
            parent->render(&pixmap, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
        }
        // The frame too: it changes with the palette and the state, as the
        // copy does. (A text the style draws itself is drawn over it again.)
        QPainter framePainter(&pixmap);
        drawFrame(&framePainter);
        framePainter.end();
        m_background = pixmap;
        m_backgroundValid = true;
        setAttribute(Qt::WA_OpaquePaintEvent, true);
    }
    painter.drawPixmap(0, 0, m_background);
    return true;
}

void ValueLabel::paintEvent(QPaintEvent *event)
{
    // The window's first frame paints as plain labels do: a label whose
    // value never changes then costs nothing more.
    if (!m_paintedOnce) {
        m_paintedOnce = true;
        QLabel::paintEvent(event);
        return;
    }
    {
        QPainter painter(this);
        if (!paintBackground(painter, event->region()))
            painter.fillRect(rect(), palette().brush(backgroundRole()));
        else if (paintKept(painter))
            return;
        if (paintTextFast(painter))
            return;
    }
    QLabel::paintEvent(event);
}

// The text, as QLabel and the style draw it, from glyphs already shaped.
// False (nothing drawn) where that cannot be the same.
bool ValueLabel::paintTextFast(QPainter &painter)
{
    const QString t = text();
    if (t.isEmpty() || textFormat() == Qt::RichText || (textFormat() == Qt::AutoText && Qt::mightBeRichText(t))
        || layoutDirection() != Qt::LeftToRight || wordWrap() || !pixmap().isNull()
        || !styleDrawsPlainText(style()))
        return false;
    // Glyph places are worked out as the text engine rounds them on an
    // unscaled device; a scaled screen is left to drawText.
    if (painter.deviceTransform().type() > QTransform::TxTranslate)
        return false;
    bool ascii = true;
    for (QChar c : t) {
        const char16_t u = c.unicode();
        if (u == u'&' || u == u'\t' || (u < 0x20 && u != u'\r' && u != u'\n') || c.isHighSurrogate()
            || c.direction() == QChar::DirR || c.direction() == QChar::DirAL)
            return false;
        ascii = ascii && u < 0x7F;
    }

    const QFont font = painter.font();
    if (!m_glyphs || m_glyphs->font != font) {
        m_glyphs = std::make_unique<Glyphs>();
        m_glyphs->font = font;
        m_glyphs->leading = QFontMetricsF(font).leading();
    }
    Glyphs &g = *m_glyphs;

    // Where QLabel puts a plain text: the contents less the margin and the
    // indent (half an "x" beside a frame when none is set).
    QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    int m = indent();
    if (m < 0 && frameWidth())
        m = fontMetrics().horizontalAdvance(u'x') / 2 - margin();
    const Qt::Alignment align = alignment();
    if (m > 0) {
        if (align & Qt::AlignLeft)
            r.setLeft(r.left() + m);
        if (align & Qt::AlignRight)
            r.setRight(r.right() - m);
        if (align & Qt::AlignTop)
            r.setTop(r.top() + m);
        if (align & Qt::AlignBottom)
            r.setBottom(r.bottom() - m);
    }

    // drawText's lines: a return is a space, a line feed ends a line; each
    // line starts on a whole pixel, a leading below the one before.
    // What the font's digits are is learnt on the first number of two or
    // more characters (a few milliseconds, not at start-up, where the
    // labels show "***" and "-").
    if (!g.digits && ascii && t.size() > 1 && digitIndex(t[0]) >= 0 && digitIndex(t[1]) >= 0)
        g.digits = &digitsOf(font);
    static const DigitFont kNoDigits;
    const DigitFont &digits = g.digits ? *g.digits : kNoDigits;
    int lineCount = 0;
    qreal width = 0, height = -g.leading;
    qsizetype from = 0;
    while (from <= t.size()) {
        qsizetype to = t.indexOf(u'\n', from);
        if (to < 0)
            to = t.size();
        if (lineCount == int(g.lines.size()))
            return false;
        Glyphs::Line &line = g.lines[lineCount++];
        height = std::ceil(height + g.leading);
        line.top = height;
        line.runs = nullptr;
        const QStringView part = QStringView(t).mid(from, to - from);
        if (part.isEmpty())
            return false;
        // A number from its characters' glyphs; any other text as it was shaped.
        bool composed = ascii && digits.composes && part.size() <= int(g.glyph.size()) && lineCount == 1
                        && to == t.size();
        qreal w = 0;
        for (qsizetype i = 0; composed && i < part.size(); ++i) {
            const int d = digitIndex(part[i]);
            if (d < 0) {
                composed = false;
                break;
            }
            g.glyph[i] = digits.glyph[d];
            g.place[i] = QPointF(w, digits.baseline);
            w += digits.advance[d];
        }
        if (composed) {
            line.width = line.advance = w;
            line.height = digits.height;
        } else {
            QString key = part.toString();
            key.replace(u'\r', u' ');
            const Shaped *shaped = g.word(key);
            if (!shaped)
                return false;
            // Whether trailing spaces count where drawText aligns a line
            // is its own affair: leave such lines to it.
            if (key.back().isSpace() && !(align & Qt::AlignLeft))
                return false;
            line.runs = &shaped->runs;
            line.width = shaped->width;
            line.advance = shaped->advance;
            line.height = shaped->height;
        }
        height += line.height;
        width = std::max(width, line.width);
        from = to + 1;
    }

    qreal xoff = 0, yoff = 0;
    if (align & Qt::AlignBottom)
        yoff = r.height() - height;
    else if (align & Qt::AlignVCenter)
        yoff = (r.height() - height) / 2;
    if (align & Qt::AlignRight)
        xoff = r.width() - width;
    else if (align & Qt::AlignHCenter)
        xoff = (r.width() - width) / 2;
    // A text wider than its room is clipped by drawText: leave that to it.
    if (!QRectF(r).contains(QRectF(r.x() + xoff, r.y() + yoff, width, height)))
        return false;

    QStyleOption opt;
    opt.initFrom(this);
    painter.setPen(QPen(opt.palette.brush(foregroundRole()), painter.pen().widthF()));
    // Each line is drawn from its place taken to a 64th of a pixel, as the
    // text engine's fixed-point positions take it.
    auto toFixed = [](qreal v) { return qreal(int(v * 64)) / 64; };
    for (int i = 0; i < lineCount; ++i) {
        const Glyphs::Line &line = g.lines[i];
        qreal x = 0;
        if (align & Qt::AlignRight)
            x = r.width() - line.advance;
        else if (align & Qt::AlignHCenter)
            x = (r.width() - line.advance) / 2;
        const QPointF origin(toFixed(r.x() + x), toFixed(r.y() + yoff) + line.top);
        if (line.runs) {
            for (const QGlyphRun &run : *line.runs)
                painter.drawGlyphRun(origin, run);
        } else {
            g.run.setRawFont(digits.raw);
            g.run.setRawData(g.glyph.data(), g.place.data(), int(t.size()));
            painter.drawGlyphRun(origin, g.run);
        }
    }
    return true;
}

// A text of several lines from the pixels it painted before, over the copy
// of what lies under the label (already drawn). Painted into an image of the
// window's own format, from the same copy, at the same place to the pixel,
// they are what painting the text again gives. False (nothing drawn) where
// that cannot be done: the text is painted as any other.
bool ValueLabel::paintKept(QPainter &painter)
{
    const QString t = text();
    if (!t.contains(u'\n') || !m_backgroundValid)
        return false;
    const QPaintDevice *device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image || painter.deviceTransform().type() > QTransform::TxTranslate
        || m_background.devicePixelRatio() != 1.0)
        return false;
    const auto *window = static_cast<const QImage *>(device);
    if (window->hasAlphaChannel() || window->depth() != 32 || window->devicePixelRatio() != 1.0)
        return false;

    KeptFor now;
    now.format = window->format();
    now.size = size();
    now.contents = contentsRect();
    now.font = painter.font();
    now.palette = palette().cacheKey();
    now.enabled = isEnabled();
    now.active = isActiveWindow();
    now.alignment = int(alignment());
    now.margin = margin();
    now.indent = indent();
    now.style = style();
    if (!m_keptFor || !(*m_keptFor == now)) {
        forgetKept();
        m_keptFor = std::make_unique<KeptFor>(now);
    }

    const Kept *shown = bringToFront(m_kept, t, [](const Kept &k) -> const QString & { return k.text; });
    if (!shown) {
        // Painted once as it always is, then kept where it differs from
        // the copy under it (the copy is drawn outside that anyway).
        QImage whole(size(), window->format());
        whole.setDotsPerMeterX(window->dotsPerMeterX());
        whole.setDotsPerMeterY(window->dotsPerMeterY());
        QPainter p(&whole);
        p.setRenderHints(painter.renderHints());
        p.setFont(painter.font());
        p.setPen(painter.pen());
        p.setBrush(painter.brush());
        p.drawPixmap(0, 0, m_background);
        if (!paintTextFast(p))
            return false;
        p.end();
        const QRect changed = whereTheyDiffer(whole, m_background.toImage().convertToFormat(whole.format()));
        Kept kept{t, changed.topLeft(), changed.isEmpty() ? QImage() : whole.copy(changed)};
        m_keptBytes += kept.pixels.sizeInBytes();
        m_kept.push_front(std::move(kept));
        while (m_kept.size() > 1 && (int(m_kept.size()) > kPaintsKept || m_keptBytes > kPaintBytesKept)) {
            m_keptBytes -= m_kept.back().pixels.sizeInBytes();
            m_kept.pop_back();
        }
        shown = &m_kept.front();
    }
    if (!shown->pixels.isNull()) {
        const QPainter::CompositionMode mode = painter.compositionMode();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(shown->at, shown->pixels);
        painter.setCompositionMode(mode);
    }
    return true;
}
