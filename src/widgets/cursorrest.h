#pragma once
// Lets text cursors stop blinking when nobody is at the keyboard.
//
// A blinking cursor repaints its box twice a second for as long as the tool
// runs: with the tool online and nobody at the PC, that was more than half
// of what the window did. As desktops do, the cursor blinks again at the
// next key, click or wheel turn, and rests, shown and still, once no input
// has come for a while (ten seconds unless set). The blink rate is the
// platform's; a platform that does not blink is left alone.

#include <QElapsedTimer>
#include <QObject>

class QTimer;

class CursorRest : public QObject
{
    Q_OBJECT
public:
    // Watches the input of the whole application from now on.
    explicit CursorRest(QObject *parent = nullptr);
    ~CursorRest() override;

    int restAfterMs() const { return m_restAfterMs; }
    void setRestAfterMs(int ms);
    bool resting() const { return m_resting; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restIfQuiet();
    void setFlashMs(int ms);

    QTimer *m_timer;
    QElapsedTimer m_sinceInput;
    int m_restAfterMs = 10000;
    int m_flashMs = 0; // the platform's blink period
    bool m_resting = false;
    bool m_setting = false;
};
