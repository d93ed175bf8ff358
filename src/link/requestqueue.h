#pragma once
// Requests that get answers: one request on the line at a time, its reply
// matched by the family's codes, a time-out from the line speed, a bounded
// number of retries for reads, and a reason for every request that ends
// without its answer. The status poll does not go through here: it keeps its
// own cadence and the replies of both travel side by side.

#include "core/frames.h"
#include "link/portsettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>

class RequestQueue : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        Answered,  // the reply (or the acknowledgement) came
        TimedOut,  // no answer to the last attempt
        Cancelled, // the link went down, or the caller gave up
        NotSent,   // the port could not be opened or written
    };

    struct Result
    {
        Outcome outcome = Outcome::NotSent;
        Block reply{}; // the answer, when Answered
        int attempts = 0;
        bool ok() const { return outcome == Outcome::Answered; }
    };
    using Callback = std::function<void(const Result &)>;

    struct Request
    {
        FrameId family = FrameId::None;
        QByteArray frame;     // sent whole, again on a retry
        quint8 replyCommand = 0;
        quint8 replyCode = 0; // the sub-command of the awaited answer
        quint8 qualifier = 0; // byte 2 of the answer, when the family has one
        int retries = 0;      // further attempts after a time-out
        bool quiet = false;   // the acknowledgement is not shown in a box
        Callback done;
    };

    // The read of a family, answered by its block; retried.
    static Request read(FrameId family, Callback done = {});
    // The write of a family's block, answered by its acknowledgement.
    static Request write(const Block &block, Callback done = {});
    // A command answered by the block with `replyCode` (the Idc counter reset).
    static Request command(const QByteArray &frame, quint8 replyCode, Callback done = {});

    static constexpr int kReadRetries = 2;
    // What the controller takes to answer, on top of the bytes' time on the
    // line: it answers between its control cycles, and a USB adapter holds
    // what it received for up to 16 ms.
    static constexpr qint64 kControllerMarginMs = 200;

    // `send` puts a frame on the line; false when it could not.
    explicit RequestQueue(std::function<bool(const QByteArray &)> send, QObject *parent = nullptr);

    // Queues the request; it goes out at once when the line is free.
    quint64 submit(Request request);
    // The request on the line when `block` answers it, else nullptr.
    const Request *awaiting(const Block &block) const;
    // A block with a valid end marker came: true when it answers the request
    // on the line, which is then done (and the next one goes out).
    bool offer(const Block &block);
    // Every waiting request, the one on the line too, ends as Cancelled.
    void cancelAll();
    // Ends the request on the line when its time is up (retrying a read);
    // the timer calls it, tests with a stepped clock call it by hand.
    void expire();

    // The time-out follows the line: the request's and the reply's bytes at
    // these settings, plus the controller's margin.
    void setLineSettings(const PortSettings &settings) { m_settings = settings; }
    qint64 timeoutMs(const Request &request) const;
    void setClock(std::function<qint64()> nowMs) { m_now = std::move(nowMs); }

    bool busy() const { return m_current.has_value(); }
    int waiting() const { return int(m_waiting.size()); }
    // The request on the line, or nullptr.
    const Request *current() const { return m_current ? &m_current->request : nullptr; }

    // Milliseconds for `bytes` characters on a line with these settings.
    static qint64 lineTimeMs(int bytes, const PortSettings &settings);

private:
    struct Active
    {
        quint64 id = 0;
        Request request;
        int attempts = 0;
        qint64 deadlineMs = 0;
    };

    void startNext();
    bool transmit(Active &active);
    void finish(Outcome outcome, const Block &reply = {});
    qint64 now() const;

    std::function<bool(const QByteArray &)> m_send;
    std::function<qint64()> m_now;
    PortSettings m_settings;
    std::deque<Active> m_waiting;
    std::optional<Active> m_current;
    quint64 m_nextId = 1;
    QTimer m_timer;
    bool m_finishing = false;
};
