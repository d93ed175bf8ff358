#include "shell/report/sessionlog.h"

#include "core/appstate.h"
#include "link/linkcontroller.h"
#include "monitor/statusdecoder.h"
#include "pages/parameterservice.h"

SessionLog::SessionLog(QObject *parent) : QObject(parent), m_started(QDateTime::currentDateTime()) {}

void SessionLog::attach(LinkController &link, ParameterService &service)
{
    m_started = now();
    connect(&link.dispatcher(), &Dispatcher::statusReceived, this, &SessionLog::statusBlock);
    connect(&link.dispatcher(), &Dispatcher::hallReply, this,
            [this, &service](ReplyAction action, const Block &block) {
                hallReply(action, block, service.controllerType());
            });
    connect(&link, &LinkController::linkStateChanged, this, &SessionLog::linkStateChanged);
    connect(&service, &ParameterService::decoded, this, [this, &service](FrameId family) {
        if (family != FrameId::IdcCalib)
            return;
        if (const std::optional<Block> &b = service.model(FrameId::IdcCalib)->received())
            identityBlock(*b);
    });
}

void SessionLog::watch(SetRestore &restore, const QString &source)
{
    connect(&restore, &SetRestore::finished, this,
            [this, source](const RestoreResult &r) { restoreFinished(r, source); });
}

void SessionLog::identityBlock(const Block &idc)
{
    m_idc = idc;
}

void SessionLog::statusBlock(const Block &status)
{
    const QDateTime t = now();
    m_status = status;
    m_statusTime = t;
    const quint16 errors = sampleFromBlock(status).currentErrors;
    const quint16 changed = errors ^ m_currentErrors;
    m_currentErrors = errors;
    if (!changed)
        return;
    for (int row = 0; row < int(kFaultRows.size()); ++row) {
        const quint16 mask = kFaultRows[std::size_t(row)].currentMask;
        if (!(changed & mask))
            continue;
        // A row of two bits (hall A and B) appears with the first and clears
        // with the last.
        const bool now = errors & mask;
        const bool before = (errors ^ changed) & mask;
        if (now == before)
            continue;
        if (m_faults.size() >= kMaxEvents)
            ++m_faultsLeftOut;
        else
            m_faults.append({t, row, now});
    }
}

void SessionLog::hallReply(ReplyAction action, const Block &block, int controllerType)
{
    if (action != ReplyAction::HallADone && action != ReplyAction::HallBDone)
        return;
    m_hall.append({now(), action == ReplyAction::HallBDone, controllerType, block});
}

void SessionLog::restoreFinished(const RestoreResult &result, const QString &source)
{
    m_restores.append({now(), source, result});
}

void SessionLog::linkStateChanged(int linkState)
{
    const bool online = linkState == LinkStateCode::Online;
    if (online == m_wasOnline)
        return;
    m_wasOnline = online;
    // Only a link that was up can drop; the first connection is no drop.
    if (!online) {
        if (m_drops.size() >= kMaxEvents)
            ++m_dropsLeftOut;
        else
            m_drops.append({now(), {}});
    } else if (!m_drops.isEmpty() && !m_drops.last().up.isValid()) {
        m_drops.last().up = now();
    }
}

bool SessionLog::isEmpty() const
{
    return !m_idc && !m_status && m_faults.isEmpty() && m_hall.isEmpty() && m_restores.isEmpty()
           && m_drops.isEmpty();
}
