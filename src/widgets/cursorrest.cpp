#include "cursorrest.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTimer>

#include <algorithm>

CursorRest::CursorRest(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    QStyleHints *hints = QGuiApplication::styleHints();
    m_flashMs = hints->cursorFlashTime();
    // The platform may change its blink rate while we run; our own changes
    // come through here too.
    connect(hints, &QStyleHints::cursorFlashTimeChanged, this, [this](int ms) {
        if (m_setting)
            return;
        m_flashMs = ms;
        if (!m_resting && !m_timer->isActive())
            m_timer->start(0);
    });
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &CursorRest::restIfQuiet);
    m_sinceInput.start();
    m_timer->start(m_restAfterMs);
    qApp->installEventFilter(this);
}

CursorRest::~CursorRest()
{
    if (m_resting)
        setFlashMs(m_flashMs);
}

void CursorRest::setRestAfterMs(int ms)
{
    m_restAfterMs = std::max(1, ms);
    if (!m_resting)
        m_timer->start(std::max(0, m_restAfterMs - int(m_sinceInput.elapsed())));
}

// The timer is not moved at each input: when it comes, it waits again for
// whatever is left of the quiet time since the last input.
void CursorRest::restIfQuiet()
{
    const qint64 left = m_restAfterMs - m_sinceInput.elapsed();
    if (left > 0) {
        m_timer->start(int(left));
        return;
    }
    if (m_flashMs < 2)
        return; // the platform does not blink
    m_resting = true;
    setFlashMs(0); // the cursors stop, shown
}

void CursorRest::setFlashMs(int ms)
{
    m_setting = true;
    QGuiApplication::styleHints()->setCursorFlashTime(ms);
    m_setting = false;
}

bool CursorRest::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
    case QEvent::InputMethod:
    case QEvent::WindowActivate:
        m_sinceInput.start();
        if (m_resting) {
            m_resting = false;
            setFlashMs(m_flashMs);
            m_timer->start(m_restAfterMs);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
