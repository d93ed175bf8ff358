#pragma once
// The hall test as the main window runs it: the progress window frmHallTest,
// Timer1 that closes it after a "done" reply, "Stop Hall Test", and the
// group results on the Motor page (changed boxes marked until edited).

#include "calib/halltest.h"
#include "core/appstate.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QLabel;
class QLineEdit;
class QTimer;
class QWidget;
class LinkController;
class PageNavigator;
class ParameterPage;

class HallTestController : public QObject
{
    Q_OBJECT
public:
    // Connects to the dispatcher at once: create it before the page
    // navigator, so that it sees the Motor page as it was before a group A
    // result is decoded into it.
    HallTestController(BlockParts parts, const LanguageState &language, LinkController &link,
                       QTimer *timer1, QWidget *mainWindow);

    void setNavigator(PageNavigator *pages) { m_pages = pages; }

    void onReply(ReplyAction action);
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
    QHash<QString, QString> motorTexts(ParameterPage *page) const;
    void markChanged(ParameterPage *page, const QHash<QString, QString> &before);
    void decodeGroupB();

    BlockParts m_parts;
    const LanguageState &m_language;
    LinkController &m_link;
    QTimer *m_timer1;
    QPointer<QWidget> m_mainWindow;
    QPointer<PageNavigator> m_pages;
    QPointer<QWidget> m_window;
    QPointer<QLabel> m_label;
    HallCloseCounter m_counter;
    QHash<QString, QString> m_beforeGroupA; // Motor page texts before an FF FC result
    bool m_haveBeforeGroupA = false;
};

// Marks a box whose text a hall result changed, until the user edits it.
void markHallResultBox(QLineEdit *box);
bool isMarkedHallResultBox(const QLineEdit *box);
