#pragma once
// The hall test progress: the text of the progress window per reply and
// language, and the count of Timer1 ticks that closes it after a "done".

#include "link/commandtable.h"

#include <QString>

// The progress text for a hall reply (context "frmHallTest"); a null string
// for a reply without a text or a language without texts.
QString hallTestText(int languageCode, ReplyAction action);

// True for the two "done" replies.
bool isHallTestDone(ReplyAction action);

// hallTestTicks: restarted by every "done" reply; the window closes on the
// sixth tick after it.
class HallCloseCounter
{
public:
    void restart() { m_ticks = 0; }
    // One tick of Timer1: true when the window is to close now (the timer
    // stops).
    bool tick()
    {
        if (m_ticks >= 5)
            return true;
        ++m_ticks;
        return false;
    }
    int ticks() const { return m_ticks; }

private:
    qint16 m_ticks = 0;
};
