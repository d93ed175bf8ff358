#pragma once
// Work that can wait until a window is on the screen: the user sees the
// window first, and what is made behind it (hidden windows) comes after.

#include <functional>
#include <vector>

class QObject;
class QWidget;

// Calls `work` once, right after `window` has painted its first frame. A
// window that has not painted `latestMs` after this call (not shown yet, or
// never) gets the call then all the same. Nothing is called once the window
// is gone.
void afterFirstPaint(QWidget *window, int latestMs, std::function<void()> work);

// Calls the steps in order, each in a turn of the event loop of its own, so
// that input and repaints get in between. Stops when `context` goes.
void stepByStep(QObject *context, std::vector<std::function<void()>> steps);
