#pragma once
// What happened in this session, for the service report: who the controller
// is (its Idc block), the last live status, every fault that appeared or
// cleared, the hall test results, the restores and what each block came to,
// and every drop of the link. Headless: it listens to the link and the
// parameter service, or is told by whoever runs a restore.

#include "core/frames.h"
#include "link/commandtable.h"
#include "monitor/statussample.h"
#include "pages/sets/settransfer.h"

#include <QDateTime>
#include <QList>
#include <QObject>

#include <functional>
#include <optional>

class LinkController;
class ParameterService;

struct SessionFaultEvent
{
    QDateTime time;
    int row = -1;      // into kFaultRows
    bool appeared = true;
};

struct SessionHallResult
{
    QDateTime time;
    bool groupB = false;
    int controllerType = 0; // the Motor layout the result was read for
    Block block{};          // the reply, laid out as a Motor block
};

struct SessionRestore
{
    QDateTime time;
    QString source; // the file the blocks came from
    RestoreResult result;
};

struct SessionLinkDrop
{
    QDateTime down;
    QDateTime up; // invalid while the link is still down
};

class SessionLog : public QObject
{
    Q_OBJECT
public:
    // A long session keeps its first faults and drops, and counts the rest.
    static constexpr int kMaxEvents = 500;

    explicit SessionLog(QObject *parent = nullptr);

    // Listens to the link (status blocks, hall replies, link state) and to
    // the service (every Idc block it decodes).
    void attach(LinkController &link, ParameterService &service);
    // The clock of every entry (the system clock unless told).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    // Records the restore's outcome when it finishes.
    void watch(SetRestore &restore, const QString &source);

    void identityBlock(const Block &idc);
    // A live-status block as it came from the line, sign bits included.
    void statusBlock(const Block &status);
    void hallReply(ReplyAction action, const Block &block, int controllerType);
    void restoreFinished(const RestoreResult &result, const QString &source);
    void linkStateChanged(int linkState);

    QDateTime started() const { return m_started; }
    const std::optional<Block> &identity() const { return m_idc; }
    const std::optional<Block> &lastStatus() const { return m_status; }
    QDateTime lastStatusTime() const { return m_statusTime; }
    const QList<SessionFaultEvent> &faultEvents() const { return m_faults; }
    int faultEventsLeftOut() const { return m_faultsLeftOut; }
    const QList<SessionHallResult> &hallResults() const { return m_hall; }
    const QList<SessionRestore> &restores() const { return m_restores; }
    const QList<SessionLinkDrop> &linkDrops() const { return m_drops; }
    int linkDropsLeftOut() const { return m_dropsLeftOut; }

    // Nothing recorded at all.
    bool isEmpty() const;

private:
    QDateTime now() const { return m_now ? m_now() : QDateTime::currentDateTime(); }

    std::function<QDateTime()> m_now;
    QDateTime m_started;
    std::optional<Block> m_idc;
    std::optional<Block> m_status;
    QDateTime m_statusTime;
    quint16 m_currentErrors = 0;
    QList<SessionFaultEvent> m_faults;
    int m_faultsLeftOut = 0;
    QList<SessionHallResult> m_hall;
    QList<SessionRestore> m_restores;
    QList<SessionLinkDrop> m_drops;
    int m_dropsLeftOut = 0;
    bool m_wasOnline = false;
};
