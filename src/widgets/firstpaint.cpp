#include "widgets/firstpaint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace {

class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget *window, int latestMs, std::function<void()> work)
        : QObject(window), m_work(std::move(work))
    {
        window->installEventFilter(this);
        QTimer::singleShot(latestMs, this, [this] { run(); });
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == parent()) {
            // The frame is painted and handed over in this same pass; the
            // work comes once the event loop is back.
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] { run(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void run()
    {
        if (!m_work)
            return;
        parent()->removeEventFilter(this);
        const std::function<void()> work = std::move(m_work);
        m_work = nullptr;
        deleteLater();
        work();
    }

    std::function<void()> m_work;
};

void nextStep(QPointer<QObject> context, std::shared_ptr<std::vector<std::function<void()>>> steps,
              std::size_t index)
{
    if (!context || index >= steps->size())
        return;
    QMetaObject::invokeMethod(
        context.data(),
        [context, steps, index] {
            (*steps)[index]();
            nextStep(context, steps, index + 1);
        },
        Qt::QueuedConnection);
}

} // namespace

void afterFirstPaint(QWidget *window, int latestMs, std::function<void()> work)
{
    new FirstPaintWatch(window, latestMs, std::move(work));
}

void stepByStep(QObject *context, std::vector<std::function<void()>> steps)
{
    nextStep(context, std::make_shared<std::vector<std::function<void()>>>(std::move(steps)), 0);
}
