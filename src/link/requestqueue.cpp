#include "link/requestqueue.h"

#include "link/commandtable.h"
#include "link/logging.h"

#include <QDateTime>

RequestQueue::Request RequestQueue::read(FrameId family, Callback done)
{
    Request r;
    r.family = family;
    r.frame = readRequestFor(family);
    if (const BlockFamily *f = findFamily(family)) {
        r.replyCommand = f->command();
        r.replyCode = f->readCode;
        r.qualifier = f->qualifier;
    }
    r.retries = kReadRetries;
    r.done = std::move(done);
    return r;
}

RequestQueue::Request RequestQueue::write(const Block &block, Callback done)
{
    Request r;
    r.family = FrameId(block[0]);
    r.frame = toByteArray(block);
    r.replyCommand = block[0];
    r.replyCode = block[1];
    if (const BlockFamily *f = findFamily(r.family))
        r.qualifier = f->qualifier;
    r.done = std::move(done);
    return r;
}

RequestQueue::Request RequestQueue::command(const QByteArray &frame, quint8 replyCode, Callback done)
{
    Request r;
    r.family = frame.isEmpty() ? FrameId::None : FrameId(quint8(frame[0]));
    r.frame = frame;
    r.replyCommand = commandOf(r.family);
    r.replyCode = replyCode;
    r.done = std::move(done);
    return r;
}

RequestQueue::RequestQueue(std::function<bool(const QByteArray &)> send, QObject *parent)
    : QObject(parent), m_send(std::move(send))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RequestQueue::expire);
}

qint64 RequestQueue::now() const
{
    return m_now ? m_now() : QDateTime::currentMSecsSinceEpoch();
}

qint64 RequestQueue::lineTimeMs(int bytes, const PortSettings &settings)
{
    const int stopBits = settings.stopBits == PortSettings::StopBits::One ? 1 : 2;
    const int bitsPerCharacter = 1 + settings.dataBits + (settings.parity == 'n' ? 0 : 1) + stopBits;
    const qint64 bits = qint64(bytes) * bitsPerCharacter;
    return (bits * 1000 + settings.baudRate - 1) / std::max(1, settings.baudRate);
}

qint64 RequestQueue::timeoutMs(const Request &request) const
{
    return lineTimeMs(int(request.frame.size()) + kBlockSize, m_settings) + kControllerMarginMs;
}

quint64 RequestQueue::submit(Request request)
{
    Active a;
    a.id = m_nextId++;
    a.request = std::move(request);
    m_waiting.push_back(std::move(a));
    const quint64 id = m_waiting.back().id;
    if (!m_current && !m_finishing)
        startNext();
    return id;
}

void RequestQueue::startNext()
{
    while (!m_current && !m_waiting.empty()) {
        m_current = std::move(m_waiting.front());
        m_waiting.pop_front();
        if (!transmit(*m_current))
            finish(Outcome::NotSent);
    }
}

bool RequestQueue::transmit(Active &active)
{
    ++active.attempts;
    // The clock runs from before the frame goes: an answer may come while
    // it is being written.
    const qint64 timeout = timeoutMs(active.request);
    active.deadlineMs = now() + timeout;
    m_timer.start(int(timeout));
    return m_send(active.request.frame);
}

const RequestQueue::Request *RequestQueue::awaiting(const Block &block) const
{
    if (!m_current)
        return nullptr;
    const Request &r = m_current->request;
    if (block[0] != r.replyCommand || block[1] != r.replyCode || (r.qualifier && block[2] != r.qualifier))
        return nullptr;
    return &r;
}

bool RequestQueue::offer(const Block &block)
{
    if (!awaiting(block))
        return false;
    finish(Outcome::Answered, block);
    return true;
}

void RequestQueue::expire()
{
    if (!m_current || now() < m_current->deadlineMs) {
        if (m_current)
            m_timer.start(int(std::max<qint64>(1, m_current->deadlineMs - now())));
        return;
    }
    if (m_current->attempts <= m_current->request.retries) {
        qCInfo(lcLink, "no answer to %s, asking again", qPrintable(hexString(m_current->request.frame)));
        if (transmit(*m_current))
            return;
        finish(Outcome::NotSent);
        return;
    }
    qCInfo(lcLink, "no answer to %s after %d attempts", qPrintable(hexString(m_current->request.frame)),
           m_current->attempts);
    finish(Outcome::TimedOut);
}

void RequestQueue::cancelAll()
{
    std::deque<Active> all = std::exchange(m_waiting, {});
    if (m_current)
        all.push_front(std::move(*std::exchange(m_current, std::nullopt)));
    m_timer.stop();
    m_finishing = true;
    for (Active &a : all) {
        Result r;
        r.outcome = Outcome::Cancelled;
        r.attempts = a.attempts;
        if (a.request.done)
            a.request.done(r);
    }
    m_finishing = false;
    startNext(); // anything a callback submitted
}

void RequestQueue::finish(Outcome outcome, const Block &reply)
{
    Active done = std::move(*m_current);
    m_current.reset();
    m_timer.stop();
    Result r;
    r.outcome = outcome;
    r.reply = reply;
    r.attempts = done.attempts;
    // What the callback submits waits until it returns: the answer is handled
    // before the next request goes out.
    m_finishing = true;
    if (done.request.done)
        done.request.done(r);
    m_finishing = false;
    startNext();
}
