#pragma once
// Counts the paint events a widget gets once it is watched
// (widget->installEventFilter(&log)), and the text a label showed at the last.

#include <QEvent>
#include <QLabel>

class PaintLog : public QObject
{
public:
    int paints = 0;
    QString lastPainted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (auto *label = qobject_cast<QLabel *>(watched))
                lastPainted = label->text();
        }
        return false;
    }
};
