#pragma once
// The timed Iq test ("Calib I3"): the run's state, the timing window
// frmTime, and every way out of a run. The link timer ticks it; the Iac page
// starts and stops it; the main window stops it before the program ends.

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
struct ConnectionState;
struct IqTestState;
struct LanguageState;
class LinkController;
class MessageService;
class SoundPlayer;

// frmTime: the elapsed time as mm:ss, and the run against its limit.
class TimeWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TimeWindow(int languageCode, QWidget *parent = nullptr);
    void showElapsed(qint64 elapsed, const QString &mmss, qint64 limit);
    void applyCaptions(int languageCode);
    QString conduction() const;

private:
    QLabel *m_label;
    QLineEdit *m_txtConduction;
    QProgressBar *m_progress;
};

class IqTestRun : public QObject
{
    Q_OBJECT
public:
    IqTestRun(IqTestState &iqTest, const ConnectionState &connection, const LanguageState &language,
              LinkController &link, MessageService &messages, QWidget *mainWindow);

    void setSoundPlayer(SoundPlayer *sounds) { m_sounds = sounds; }
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    // txtMaxTime and txtStart of the main window.
    void setBoxes(QLineEdit *txtMaxTime, QLineEdit *txtStart);
    // Also told the elapsed time (tests).
    void setConductionDisplay(std::function<void(const QString &)> show) { m_showConduction = std::move(show); }

    bool running() const;
    // Before "Calib I3" sends: a limit that is no whole number refuses the
    // run, with a message, before anything moves.
    bool checkLimit();
    // After the I3 frame went out: arms the heating alert, records the
    // start, shows frmTime; it and `page` (the Iac page) stay above the
    // other windows until the run ends.
    void start(QWidget *page = nullptr);
    // "STOP": the stop frame at once.
    void cmdStop_Click();
    // The Iac page or the program closes: a running test gets its stop
    // frame first.
    void stopBeforeLeaving();
    // Every link timer tick.
    void tick();
    void applyLanguage();

    TimeWindow *timeWindow() const { return m_window.data(); }

private:
    QDateTime now() const { return m_now ? m_now() : QDateTime::currentDateTime(); }
    // Ends the run with the stop frame; says so when the stop may not have
    // reached the controller.
    void stopRun();
    QString text(const char *source) const;
    // The window the run's messages are about.
    QString testWindowName() const;

    IqTestState &m_iqTest;
    const ConnectionState &m_connection;
    const LanguageState &m_language;
    LinkController &m_link;
    MessageService &m_messages;
    QPointer<QWidget> m_mainWindow;
    SoundPlayer *m_sounds = nullptr;
    std::function<QDateTime()> m_now;
    std::function<void(const QString &)> m_showConduction;
    QPointer<QLineEdit> m_txtMaxTime;
    QPointer<QLineEdit> m_txtStart;
    QPointer<TimeWindow> m_window;
    QPointer<QWidget> m_page;
    bool m_dropReported = false;
};
