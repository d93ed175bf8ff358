#pragma once
// The hall test as the main window runs it: the progress window frmHallTest,
// Timer1 that closes it after a "done" reply, "Stop Hall Test", and the
// group results on the Motor page (changed boxes marked until edited).

#include "calib/halltest.h"
#include "pages/engine/fieldcodec.h"
#include "core/appstate.h"

#include <QObject>
#include <QPointer>

class QLabel;
class QLineEdit;
class QTimer;
class QWidget;
class PageNavigator;
class ParameterPage;
class ParameterService;

class HallTestController : public QObject
{
    Q_OBJECT
public:
    // The group results go into the Motor model (the parameter service's);
    // the Motor page, when it is shown, marks the boxes they changed.
    HallTestController(ParameterService &service, const LanguageState &language, QTimer *timer1,
                       QWidget *mainWindow);

    void setNavigator(PageNavigator *pages) { m_pages = pages; }

    void onReply(ReplyAction action, const Block &block);
    void Timer1_Timer();
    // "Stop Hall Test": the window goes first, then the request.
    void cmd_hallteststop_Click();

    // frmHallTest while it is loaded.
    QWidget *window() const;
    int hallTestTicks() const { return m_counter.ticks(); }
    void applyLanguage();

private:
    void showWindow(ReplyAction action);
    void closeWindow();
    ParameterPage *visibleMotorPage() const;
    void markChanged(const ValueMap &before);
    void decodeGroupA(const Block &block);
    void decodeGroupB(const Block &block);

    ParameterService &m_service;
    const LanguageState &m_language;
    QTimer *m_timer1;
    QPointer<QWidget> m_mainWindow;
    QPointer<PageNavigator> m_pages;
    QPointer<QWidget> m_window;
    QPointer<QLabel> m_label;
    HallCloseCounter m_counter;
};

// Marks a box whose text a hall result changed, until the user edits it.
void markHallResultBox(QLineEdit *box);
bool isMarkedHallResultBox(const QLineEdit *box);
