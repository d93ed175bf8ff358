// Linked into a program under measurement: when the program's first window
// has been painted, prints "first-paint <ns> app <ns> shown <ns> loaded <ns>"
// (the monotonic clock at the first paint, when the application object was
// made, when the first window was shown and when the program and its
// libraries had been loaded) on standard output and ends the
// process at once. Nothing of the program is changed; the probe hooks in
// when the application object is made.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

qint64 appMadeNs = 0;
qint64 loadedNs = 0;

// Runs once every library is loaded and initialised, before main().
__attribute__((constructor)) void markLoaded()
{
    loadedNs = monotonicNs();
}
qint64 shownNs = 0;

class FirstPaintProbe : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!shownNs && event->type() == QEvent::Show && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow())
            shownNs = monotonicNs();
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            m_seen = true;
            // The window paints its children and hands the frame over in
            // the same pass: the frame is complete when the loop comes back.
            QMetaObject::invokeMethod(this, &FirstPaintProbe::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static void report()
    {
        std::printf("first-paint %lld app %lld shown %lld loaded %lld\n", static_cast<long long>(monotonicNs()),
                    static_cast<long long>(appMadeNs), static_cast<long long>(shownNs),
                    static_cast<long long>(loadedNs));
        std::fflush(stdout);
        // Shutting down is not start-up: the figure stops here.
        ::_exit(0);
    }

    bool m_seen = false;
};

void installProbe()
{
    appMadeNs = monotonicNs();
    QCoreApplication::instance()->installEventFilter(new FirstPaintProbe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
