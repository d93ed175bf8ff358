#pragma once
// Start-up work that the first frame waits for and that a second core can
// do while this one loads the program and builds the main window:
// - fontconfig's configuration, read while the application object is made
//   (the first text measured would read it otherwise);
// - once the application object exists, the connection to the session bus
//   (the menu bar and the accessibility bridge ask for it while the window
//   is built) and the image-format plugins (the first group box frame drawn
//   loads them all, to learn that none of them reads PNG).
// Nothing shown depends on it: whatever the warm-up has not finished is
// done, or waited for, where it is first needed, as without it.

#include <condition_variable>
#include <mutex>
#include <thread>

class StartupWarmUp
{
public:
    // Starts the work that needs no application object.
    StartupWarmUp();
    // Waits for the work under way (see finish()).
    ~StartupWarmUp();
    StartupWarmUp(const StartupWarmUp &) = delete;
    StartupWarmUp &operator=(const StartupWarmUp &) = delete;

    // The application object exists: the Qt part may start.
    void applicationMade();
    // Waits for the work under way; to be called before the application
    // object goes. The Qt part is skipped when applicationMade() was not
    // called by then.
    void finish();

private:
    void run();
    void release(bool applicationExists);

    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_decided = false;
    bool m_applicationExists = false;
    std::thread m_thread;
};
