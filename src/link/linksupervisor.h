#pragma once
// Link supervision: the poll cadence, offline / connecting / online, and the
// after-connect request. A plain class: the main window's 100 ms timer calls
// tick(), the receive handler reports each block. Tests step it tick by tick.

struct ConnectionState;

class LinkSupervisor
{
public:
    static constexpr int kPollPeriodTicks = 10; // once a second, as at start
    // Counted in ticks, not polls: offline after about two seconds at any
    // poll rate.
    static constexpr int kSilenceLimitTicks = 20;

    // What a tick asks the link to do, in this order.
    struct TickActions
    {
        bool sendIdcCalibRead = false; // first tick after a new connection
        bool discardInput = false;     // the stream fell out of step: drop what waits
        bool sendPoll = false;         // every tenth tick at one poll a second
    };

    // The poll rates a user may choose, polls a second.
    static constexpr int kPollRates[] = {1, 2, 5, 10};

    // The supervisor owns the connection part of the program state.
    explicit LinkSupervisor(ConnectionState &connection) : m_connection(connection) {}

    void reset();
    TickActions tick();

    // From the receive handler:
    void badBlock();      // end marker missing
    void goodBlock();     // end marker present (before dispatch)
    void statusBlock();   // a DF EF block was dispatched: completes a connection
    void activity();      // after dispatch of any block with a valid end marker
    // The port stopped working: offline at once, no waiting for silence.
    void forceOffline();
    // A poll went out on a port that had failed and is open again: the link
    // is connecting, with the same two seconds as after the first opening,
    // so the reply to this poll brings it online.
    void pollOnReturnedPort();

    // One of kPollRates; anything else is refused (false). Kept by reset():
    // the rate is the user's choice for the session. A faster rate takes
    // effect on the next tick.
    bool setPollsPerSecond(int rate);
    int pollsPerSecond() const { return kPollPeriodTicks / m_pollPeriodTicks; }

    // How many of the coming ticks would only count (no poll, no request,
    // no change of state), as things stand: the link may sleep through
    // them. skipQuietTicks(n), n up to that, leaves the supervisor as n
    // ticks would.
    int quietTicksAhead() const;
    void skipQuietTicks(int n);

    int pollDivider() const { return m_pollDivider; }
    int silenceTicks() const { return m_silenceTicks; }
    bool justConnected() const { return m_justConnected != 0; }
    int connectActions() const { return m_connectActions; }

private:
    ConnectionState &m_connection;
    int m_pollPeriodTicks = kPollPeriodTicks;
    int m_pollDivider = 0;
    int m_silenceTicks = 0;
    int m_justConnected = 0;
    int m_connectActions = 0;
};
