#include "widgets/windowconduct.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <climits>
#include <functional>

namespace {
bool takesTab(const QWidget *w)
{
    return (w->focusPolicy() & Qt::TabFocus) && !w->isWindow();
}

// A child whose own children are ordered among themselves: a group box or a
// frame that holds focusable widgets. Widgets that own their inner widgets
// (a combo box's line edit, a spin box) are one stop.
bool isContainer(const QWidget *w)
{
    if (takesTab(w))
        return false;
    const QList<QWidget *> inner = w->findChildren<QWidget *>();
    return std::any_of(inner.begin(), inner.end(), [w](const QWidget *c) {
        return takesTab(c) && !c->isHidden() && c->window() == w->window();
    });
}

struct Cell
{
    QWidget *widget;
    QRect rect; // in the coordinates of the window
};

// Row by row: cells whose vertical extents overlap by half the smaller one
// share a row and go left to right; rows go top to bottom.
void sortRows(QList<Cell> &cells)
{
    std::stable_sort(cells.begin(), cells.end(), [](const Cell &a, const Cell &b) { return a.rect.top() < b.rect.top(); });
    QList<QList<Cell>> rows;
    for (const Cell &c : cells) {
        if (!rows.isEmpty()) {
            const QRect &first = rows.last().first().rect;
            const int overlap = std::min(first.bottom(), c.rect.bottom()) - std::max(first.top(), c.rect.top());
            if (overlap * 2 >= std::min(first.height(), c.rect.height())) {
                rows.last().append(c);
                continue;
            }
        }
        rows.append({c});
    }
    cells.clear();
    for (QList<Cell> &row : rows) {
        std::stable_sort(row.begin(), row.end(), [](const Cell &a, const Cell &b) { return a.rect.left() < b.rect.left(); });
        cells += row;
    }
}

// Column by column: a cell whose centre lies inside a column's width joins
// it; columns go left to right, each top to bottom.
void sortColumns(QList<Cell> &cells)
{
    std::stable_sort(cells.begin(), cells.end(), [](const Cell &a, const Cell &b) { return a.rect.left() < b.rect.left(); });
    QList<QList<Cell>> columns;
    QList<QRect> spans;
    for (const Cell &c : cells) {
        int in = -1;
        for (int i = 0; i < spans.size() && in < 0; ++i) {
            if ((c.rect.center().x() >= spans[i].left() && c.rect.center().x() <= spans[i].right())
                || (spans[i].center().x() >= c.rect.left() && spans[i].center().x() <= c.rect.right()))
                in = i;
        }
        if (in < 0) {
            columns.append({c});
            spans.append(c.rect);
        } else {
            columns[in].append(c);
            spans[in] |= c.rect;
        }
    }
    cells.clear();
    for (QList<Cell> &column : columns) {
        std::stable_sort(column.begin(), column.end(), [](const Cell &a, const Cell &b) { return a.rect.top() < b.rect.top(); });
        cells += column;
    }
}

// Groups laid out in columns are read column by column; the fields inside a
// group, and what lies under all the groups (the buttons), row by row.
void sortReadingOrder(QList<Cell> &cells, const std::function<bool(const Cell &)> &isGroup)
{
    int groupsEnd = INT_MIN;
    for (const Cell &c : cells)
        if (isGroup(c))
            groupsEnd = std::max(groupsEnd, c.rect.bottom());
    if (groupsEnd == INT_MIN) {
        sortRows(cells);
        return;
    }
    QList<Cell> upper, below;
    for (const Cell &c : cells)
        (c.rect.top() > groupsEnd ? below : upper).append(c);
    sortColumns(upper);
    sortRows(below);
    cells = upper + below;
}

void collect(QWidget *window, QWidget *parent, QList<QWidget *> &order)
{
    QList<Cell> cells;
    for (QObject *o : parent->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow() || w->isHidden())
            continue;
        if (!takesTab(w) && !isContainer(w))
            continue;
        cells.append({w, QRect(w->mapTo(window, QPoint(0, 0)), w->size())});
    }
    sortReadingOrder(cells, [](const Cell &c) { return !takesTab(c.widget); });
    for (const Cell &c : cells) {
        if (takesTab(c.widget))
            order.append(c.widget);
        else
            collect(window, c.widget, order);
    }
}

class EnterPressesButtons : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !(qobject_cast<QPushButton *>(button) || qobject_cast<QToolButton *>(button)))
            return false;
        if (!button->isEnabled() || !button->isVisible() || !button->hasFocus())
            return false;
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }
};
} // namespace

void orderTabsByPosition(QWidget *window)
{
    if (!window)
        return;
    QList<QWidget *> order;
    collect(window, window, order);
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QList<QWidget *> tabChain(QWidget *window)
{
    QList<QWidget *> chain;
    QWidget *w = window->nextInFocusChain();
    while (w && w != window) {
        if (w->window() == window && takesTab(w) && w->isVisibleTo(window) && w->isEnabled()
            && !chain.contains(w))
            chain.append(w);
        w = w->nextInFocusChain();
    }
    return chain;
}

void installEnterPressesButtons(QObject *owner)
{
    qApp->installEventFilter(new EnterPressesButtons(owner));
}

void setMotorTestWindow(QWidget *window, bool running)
{
    if (!window || isMotorTestWindow(window) == running)
        return;
    // Told to the window system directly: setting the flags on the widget
    // would hide the window, and with it a message box it holds.
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, running);
    window->overrideWindowFlags(flags);
    if (QWindow *handle = window->windowHandle())
        handle->setFlags(flags);
    if (running && window->isVisible())
        window->raise();
}

bool isMotorTestWindow(const QWidget *window)
{
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

QPoint placePageFrame(const PagePlacement &where, QSize page)
{
    const QRect &screen = where.screen;
    const QRect &main = where.mainFrame;
    constexpr int gap = 4;
    QPoint spot;
    if (main.right() + gap + page.width() <= screen.right()) {
        spot = QPoint(main.right() + gap, main.top());
    } else if (main.left() - gap - page.width() >= screen.left()) {
        spot = QPoint(main.left() - gap - page.width(), main.top());
    } else {
        // Over the main window: as little of the live status as the screen
        // allows, never over the bar or the connection indicator.
        const int x = std::max(screen.right() + 1 - page.width(), where.bar.right() + gap);
        const int y = std::max(main.top(), where.keepClear.bottom() + gap);
        spot = QPoint(x, y);
    }
    const auto inside = [&](QPoint p) {
        p.setX(std::clamp(p.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - page.width())));
        p.setY(std::clamp(p.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - page.height())));
        return p;
    };
    const auto clashes = [&](QPoint p) {
        return std::any_of(where.taken.begin(), where.taken.end(), [&](const QRect &r) {
            return std::abs(r.left() - p.x()) < kCascadeStep / 2 && std::abs(r.top() - p.y()) < kCascadeStep / 2;
        });
    };
    // A page never opens exactly over another one: it cascades down, and to
    // the right while there is room (never back over the main window).
    const QPoint base = inside(spot);
    const int dx = base.x() + kCascadeStep + page.width() <= screen.right() + 1 ? kCascadeStep : 0;
    QPoint p = base;
    for (int step = 1; step <= 12 && clashes(p); ++step)
        p = inside(base + QPoint(dx * step, kCascadeStep * step));
    return p;
}
