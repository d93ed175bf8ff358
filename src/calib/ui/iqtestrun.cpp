#include "calib/ui/iqtestrun.h"

#include "calib/iaccalib.h"
#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "core/soundplayer.h"
#include "link/linkcontroller.h"
#include "monitor/statusdecoder.h"
#include "widgets/windowconduct.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

namespace {
QString timeText(int code, const char *source)
{
    const QString t = bilingual(code, "frmTime", source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}
} // namespace

TimeWindow::TimeWindow(int languageCode, QWidget *parent) : QWidget(parent, kOwnedWindow)
{
    setObjectName(QStringLiteral("frmTime"));
    auto *grid = new QGridLayout(this);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("lblConduction"));
    m_txtConduction = new QLineEdit(QStringLiteral("00:00"), this);
    m_txtConduction->setObjectName(QStringLiteral("txtConduction"));
    m_txtConduction->setReadOnly(true);
    m_txtConduction->setAlignment(Qt::AlignCenter);
    m_txtConduction->setFixedWidth(90);
    QFont big = m_txtConduction->font();
    big.setPointSize(big.pointSize() + 6);
    m_txtConduction->setFont(big);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressAging"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setMinimumWidth(220);
    grid->addWidget(m_label, 0, 0);
    grid->addWidget(m_txtConduction, 0, 1);
    grid->addWidget(m_progress, 1, 0, 1, 2);
    m_label->setBuddy(m_txtConduction);
    applyCaptions(languageCode);
}

void TimeWindow::applyCaptions(int code)
{
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    setWindowTitle(timeText(code, QT_TRANSLATE_NOOP("frmTime", "Aging run")));
    m_label->setText(timeText(code, QT_TRANSLATE_NOOP("frmTime", "Power-on time")));
    m_progress->setFormat(timeText(code, QT_TRANSLATE_NOOP("frmTime", "%v of %m s")));
}

void TimeWindow::showElapsed(qint64 elapsed, const QString &mmss, qint64 limit)
{
    if (m_txtConduction->text() != mmss)
        m_txtConduction->setText(mmss);
    const int max = int(std::clamp<qint64>(limit, 1, INT_MAX));
    if (m_progress->maximum() != max)
        m_progress->setRange(0, max);
    const int value = int(std::clamp<qint64>(elapsed, 0, max));
    if (m_progress->value() != value)
        m_progress->setValue(value);
}

QString TimeWindow::conduction() const
{
    return m_txtConduction->text();
}

IqTestRun::IqTestRun(IqTestState &iqTest, const ConnectionState &connection, const LanguageState &language,
                     LinkController &link, MessageService &messages, QWidget *mainWindow)
    : QObject(mainWindow),
      m_iqTest(iqTest),
      m_connection(connection),
      m_language(language),
      m_link(link),
      m_messages(messages),
      m_mainWindow(mainWindow)
{
}

void IqTestRun::setBoxes(QLineEdit *txtMaxTime, QLineEdit *txtStart)
{
    m_txtMaxTime = txtMaxTime;
    m_txtStart = txtStart;
}

bool IqTestRun::running() const
{
    return m_iqTest.iqTestRunning;
}

QString IqTestRun::testWindowName() const
{
    // The aging run while it is shown, else the page that started it.
    if (m_window && m_window->isVisible())
        return m_window->objectName();
    return m_page ? m_page->objectName() : QStringLiteral("frmIacCalib");
}

QString IqTestRun::text(const char *source) const
{
    return timeText(m_language.languageCode, source);
}

bool IqTestRun::checkLimit()
{
    const QString limit = m_txtMaxTime ? m_txtMaxTime->text() : QString();
    if (agingLimitSeconds(limit))
        return true;
    m_messages.infoAbout(testWindowName(), text(QT_TRANSLATE_NOOP(
                             "frmTime", "\"Aging time[s]\" does not hold a whole number of seconds: \"%1\". "
                                        "The Iq test was not started; nothing was sent."))
                        .arg(limit.left(40)));
    return false;
}

void IqTestRun::start(QWidget *page)
{
    const QDateTime t = now();
    m_iqTest.tempAlertArmed = true;
    m_iqTest.iqTestRunning = true;
    m_iqTest.iqTestStartTime = t;
    m_dropReported = false;
    if (m_txtStart)
        m_txtStart->setText(t.toString(QStringLiteral("HH:mm:ss")));
    if (!m_window) {
        m_window = new TimeWindow(m_language.languageCode, m_mainWindow);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    const std::optional<qint64> limit = agingLimitSeconds(m_txtMaxTime ? m_txtMaxTime->text() : QString());
    m_window->showElapsed(0, minutesSeconds(0), limit.value_or(0));
    if (!m_window->isVisible()) {
        m_window->adjustSize();
        m_window->show();
    } else {
        m_window->raise();
    }
    // Nothing of ours covers the run and its STOP until it ends.
    m_page = page;
    setMotorTestWindow(m_window, true);
    setMotorTestWindow(m_page, true);
}

void IqTestRun::stopRun()
{
    m_iqTest.iqTestRunning = false;
    setMotorTestWindow(m_window, false);
    setMotorTestWindow(m_page, false);
    const bool sent = m_link.sendFrame(iqTestStopFrame());
    if (!sent) {
        m_messages.infoAbout(testWindowName(), text(QT_TRANSLATE_NOOP(
            "frmTime", "The stop frame could not be sent. The controller may still be driving the motor: "
                       "switch it off.")));
    } else if (!m_connection.online()) {
        m_messages.infoAbout(testWindowName(), text(QT_TRANSLATE_NOOP(
            "frmTime", "The stop frame was sent, but the controller does not answer. It may still be "
                       "driving the motor: check it.")));
    }
}

void IqTestRun::cmdStop_Click()
{
    if (running()) {
        stopRun();
        return;
    }
    // No run of ours, but the user wants the motor stopped: the frame goes
    // out all the same.
    if (!m_link.sendFrame(iqTestStopFrame())) {
        m_messages.infoAbout(testWindowName(), text(QT_TRANSLATE_NOOP(
            "frmTime", "The stop frame could not be sent. The controller may still be driving the motor: "
                       "switch it off.")));
    }
}

void IqTestRun::stopBeforeLeaving()
{
    if (running())
        stopRun();
}

void IqTestRun::tick()
{
    if (!running() || !m_iqTest.iqTestStartTime.isValid())
        return;
    const qint64 elapsed = elapsedSeconds(m_iqTest.iqTestStartTime, now());
    const QString mmss = minutesSeconds(elapsed);
    const QString limitText = m_txtMaxTime ? m_txtMaxTime->text() : QString();
    if (m_window)
        m_window->showElapsed(elapsed, mmss, agingLimitSeconds(limitText).value_or(0));
    if (!m_connection.online()) {
        // Nothing can be told to the controller now; the technician must
        // know that the motor may still turn.
        if (!m_dropReported) {
            m_dropReported = true;
            m_messages.infoAbout(testWindowName(), text(QT_TRANSLATE_NOOP(
                "frmTime", "The link to the controller was lost during the Iq test. The controller may "
                           "still be driving the motor. The stop frame goes out as soon as the link "
                           "returns if the aging time is up by then.")));
        }
        return;
    }
    m_dropReported = false;
    if (m_showConduction)
        m_showConduction(mmss);
    switch (iqRunStep(elapsed, limitText)) {
    case IqRunStep::Continue:
        break;
    case IqRunStep::TimeUp:
        stopRun();
        if (m_sounds)
            m_sounds->play(QStringLiteral("ALARM.WAV"));
        break;
    case IqRunStep::BadLimit:
        // Checked at the start, but the box stays editable during the run.
        stopRun();
        m_messages.infoAbout(testWindowName(), text(QT_TRANSLATE_NOOP(
                                 "frmTime", "\"Aging time[s]\" does not hold a whole number of seconds: "
                                            "\"%1\". The Iq test has been stopped."))
                            .arg(limitText.left(40)));
        break;
    }
}

void IqTestRun::applyLanguage()
{
    if (m_window)
        m_window->applyCaptions(m_language.languageCode);
}
