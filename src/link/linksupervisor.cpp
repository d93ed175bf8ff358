#include "link/linksupervisor.h"

#include "core/appstate.h"

#include <algorithm>

void LinkSupervisor::reset()
{
    m_pollDivider = 0;
    m_silenceTicks = 0;
    m_justConnected = 0;
    m_connectActions = 0;
    m_connection.lastFrameBad = false;
    m_connection.linkState = LinkStateCode::Offline;
}

LinkSupervisor::TickActions LinkSupervisor::tick()
{
    TickActions actions;

    // The Idc block read once per connection tells the pages the controller type.
    if (m_justConnected == 1) {
        if (m_connectActions < 1)
            ++m_connectActions;
        if (m_connectActions == 1) {
            actions.sendIdcCalibRead = true;
            m_justConnected = 0;
        }
    }

    if (m_pollDivider <= m_pollPeriodTicks - 2) {
        ++m_pollDivider;
    } else {
        m_pollDivider = 0;
        actions.discardInput = m_connection.lastFrameBad;
        actions.sendPoll = true;
        if (m_connection.linkState == LinkStateCode::Offline)
            m_connection.linkState = LinkStateCode::Connecting;
    }

    if (m_silenceTicks >= kSilenceLimitTicks)
        m_connection.linkState = LinkStateCode::Offline;
    else
        ++m_silenceTicks;

    if (m_connection.linkState != LinkStateCode::Online)
        m_connectActions = 0;
    return actions;
}

// Online, after the after-connect request: a tick counts towards the next
// poll and towards the silence limit, and does nothing else until the tick
// that polls or the one that finds the line silent.
int LinkSupervisor::quietTicksAhead() const
{
    if (m_connection.linkState != LinkStateCode::Online || m_justConnected != 0)
        return 0;
    const int beforePoll = m_pollPeriodTicks - 1 - m_pollDivider;
    const int beforeSilent = kSilenceLimitTicks - m_silenceTicks;
    return std::max(0, std::min(beforePoll, beforeSilent));
}

void LinkSupervisor::skipQuietTicks(int n)
{
    n = std::clamp(n, 0, quietTicksAhead());
    m_pollDivider += n;
    m_silenceTicks += n;
}

bool LinkSupervisor::setPollsPerSecond(int rate)
{
    for (int allowed : kPollRates) {
        if (allowed == rate) {
            m_pollPeriodTicks = kPollPeriodTicks / rate;
            return true;
        }
    }
    return false;
}

void LinkSupervisor::badBlock()
{
    m_connection.lastFrameBad = true;
}

void LinkSupervisor::goodBlock()
{
    m_connection.lastFrameBad = false;
}

void LinkSupervisor::statusBlock()
{
    if (m_connection.linkState == LinkStateCode::Connecting) {
        m_connection.linkState = LinkStateCode::Online;
        m_justConnected = 1;
    }
}

void LinkSupervisor::activity()
{
    m_silenceTicks = 0;
}

void LinkSupervisor::forceOffline()
{
    m_silenceTicks = kSilenceLimitTicks;
    m_connection.linkState = LinkStateCode::Offline;
    m_connectActions = 0;
    m_justConnected = 0;
}

void LinkSupervisor::pollOnReturnedPort()
{
    m_silenceTicks = 0;
    if (m_connection.linkState == LinkStateCode::Offline)
        m_connection.linkState = LinkStateCode::Connecting;
}
