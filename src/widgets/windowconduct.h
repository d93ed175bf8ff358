#pragma once
// How the tool's windows behave towards each other and the keyboard: the
// tab order of a window follows what the user sees, Enter presses the
// focused button, and the windows of a running motor test stay above every
// other window of ours until the test ends.

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The flags of a window the main window owns (a page, a test window): the
// window system keeps it above the main window (a transient dialog window)
// and it keeps its title bar buttons.
inline constexpr Qt::WindowFlags kOwnedWindow = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                              | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

// Sets the tab chain of `window` to the screen order of its focusable
// widgets: row by row, left to right, inside each group box before the next
// group; a group box or frame is placed as one cell among its siblings.
void orderTabsByPosition(QWidget *window);

// The focusable widgets of `window` in the order Tab visits them, starting
// after the window itself (for tests and for checking the order).
QList<QWidget *> tabChain(QWidget *window);

// An application-wide filter: Enter or Return on a focused push or tool
// button clicks it, as Space does. Owned by `owner`.
void installEnterPressesButtons(QObject *owner);

// Keeps `window` above the other windows of the tool while a motor test runs
// in it (`running`), and lets it sink back afterwards. A visible window stays
// where it is.
void setMotorTestWindow(QWidget *window, bool running);
bool isMotorTestWindow(const QWidget *window);

// Where a page window of frame size `page` opens: to the right of the main
// window when it fits on `screen`, on its left when that fits, else over the
// main window as far right as the screen allows but never over `bar` and
// below `keepClear` (the connection indicator). Each place in `taken` (the
// frames of pages already open) moves the page on by one cascade step.
struct PagePlacement
{
    QRect screen;     // available geometry
    QRect mainFrame;  // the main window with its frame
    QRect bar;        // the button bar, global
    QRect keepClear;  // the connection indicator row, global
    QList<QRect> taken;
};
inline constexpr int kCascadeStep = 28;
QPoint placePageFrame(const PagePlacement &where, QSize page);
