#pragma once
// Paints a window at most once a display frame.
//
// Each status block changes the live values, and a fast line brings one
// every 2.8 ms: a repaint after each would paint five or six times for every
// frame the screen shows. A paced window paints a change at once, as before,
// unless it is the third paint within two frames, a run of changes: those
// wait and are painted together a frame after the last paint, so the screen
// shows the same values, at most one frame later. Texts and widget state
// change at once; only the painting waits. While changes come the window
// paints once a frame, and a window that changes now and then (a poll's
// answer, a cursor blinking) paints and wakes as often as it did.

#include <QElapsedTimer>
#include <QObject>

class QTimer;
class QWidget;

class FramePacer : public QObject
{
    Q_OBJECT
public:
    // Paces `window` (a top-level widget) from now on; a child of it.
    explicit FramePacer(QWidget *window);

    // The shortest time between two paints, in milliseconds: one frame of
    // the window's screen unless set. 0 paints at every request, as an
    // unpaced window does.
    int intervalMs() const;
    void setIntervalMs(int ms);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int frameMs() const;

    QWidget *m_window;
    QTimer *m_later;
    QElapsedTimer m_sincePaint;
    qint64 m_gapBeforeLast = -1; // ms between the last two paints, -1 none
    int m_intervalMs = -1;
};
