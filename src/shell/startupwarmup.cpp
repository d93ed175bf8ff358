#include "shell/startupwarmup.h"

#include <QImageReader>

#ifdef KESTRANE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#ifdef KESTRANE_HAVE_QTDBUS
#include <QDBusConnection>
#endif

StartupWarmUp::StartupWarmUp() : m_thread([this] { run(); }) {}

StartupWarmUp::~StartupWarmUp()
{
    finish();
}

void StartupWarmUp::finish()
{
    release(false);
    if (m_thread.joinable())
        m_thread.join();
}

void StartupWarmUp::applicationMade()
{
    release(true);
}

void StartupWarmUp::release(bool applicationExists)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_decided)
            return;
        m_decided = true;
        m_applicationExists = applicationExists;
    }
    m_released.notify_one();
}

void StartupWarmUp::run()
{
#ifdef KESTRANE_HAVE_FONTCONFIG
    // Thread-safe: whoever comes second uses the configuration the first read.
    FcInit();
#endif
    {
        std::unique_lock lock(m_mutex);
        m_released.wait(lock, [this] { return m_decided; });
        if (!m_applicationExists)
            return;
    }
#ifdef KESTRANE_HAVE_QTDBUS
    QDBusConnection::sessionBus();
#endif
    QImageReader::supportedImageFormats();
}
