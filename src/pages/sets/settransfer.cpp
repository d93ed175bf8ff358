#include "pages/sets/settransfer.h"

#include "buildinfo/buildinfo.h"
#include "link/linkcontroller.h"
#include "pages/parameterservice.h"
#include "pages/sets/setblocks.h"

#include <QCoreApplication>
#include <QPointer>

bool BackupResult::nothingAnswered() const
{
    return missing.size() == int(setBlocks().size());
}

SetBackup::SetBackup(ParameterService &service, QObject *parent) : QObject(parent), m_service(service)
{
}

void SetBackup::start(const QString &port, const QString &settings)
{
    m_result = {};
    m_result.set.toolVersion = QString::fromUtf8(buildinfo::version());
    m_result.set.toolCommit = QString::fromUtf8(buildinfo::gitCommit());
    m_result.set.time = QDateTime::currentDateTime();
    m_result.set.port = port;
    m_result.set.portSettings = settings;
    m_next = 0;
    m_running = true;
    readNext();
}

// One block after the other: the Idc block's type is known before the next
// is decoded, and a block that does not come is named, not waited for.
void SetBackup::readNext()
{
    const auto blocks = setBlocks();
    if (m_next >= int(blocks.size())) {
        m_running = false;
        if (const std::optional<Block> &idc = m_result.set.block(FrameId::IdcCalib); !idc)
            m_result.set.setControllerType(m_service.controllerType());
        emit finished(m_result);
        return;
    }
    const FrameId family = blocks[std::size_t(m_next)].family;
    emit progress(m_next, int(blocks.size()), family);
    // A backup dropped while a read is queued (its window closed) hears nothing more.
    m_service.read(family, [this, self = QPointer(this), family](const RequestQueue::Result &r) {
        if (!self)
            return;
        if (r.ok())
            m_result.set.setBlock(family, r.reply);
        else
            m_result.missing << family;
        ++m_next;
        // From the event loop: the queue is done with this request.
        QMetaObject::invokeMethod(this, &SetBackup::readNext, Qt::QueuedConnection);
    });
}

bool RestoreResult::allVerified() const
{
    for (const RestoredBlock &b : blocks) {
        if (b.state != RestoredBlock::State::Verified)
            return false;
    }
    return true;
}

QString restoredStateText(RestoredBlock::State state, int languageCode)
{
    const char *source = "";
    switch (state) {
    case RestoredBlock::State::Verified:
        source = QT_TRANSLATE_NOOP("SetTransfer", "verified");
        break;
    case RestoredBlock::State::Differs:
        source = QT_TRANSLATE_NOOP("SetTransfer", "written, but the controller holds something else");
        break;
    case RestoredBlock::State::NotVerified:
        source = QT_TRANSLATE_NOOP("SetTransfer", "written, not verified (the block did not come back)");
        break;
    case RestoredBlock::State::NotAcknowledged:
        source = QT_TRANSLATE_NOOP("SetTransfer", "sent, not acknowledged: not verified");
        break;
    case RestoredBlock::State::NotSent:
        source = QT_TRANSLATE_NOOP("SetTransfer", "not sent");
        break;
    }
    return translated(languageCode, "SetTransfer", source);
}

QStringList RestoreResult::lines(int languageCode) const
{
    QStringList l;
    for (const RestoredBlock &b : blocks) {
        QString line = findSetBlock(b.family)->title(languageCode) + QStringLiteral(": ") +
                       restoredStateText(b.state, languageCode);
        if (b.state == RestoredBlock::State::Differs && !b.verification.fields.isEmpty())
            line += QStringLiteral(" (%1)").arg(b.verification.fields.join(QStringLiteral(", ")));
        l << line;
    }
    return l;
}

SetRestore::SetRestore(ParameterService &service, QObject *parent) : QObject(parent), m_service(service)
{
}

void SetRestore::start(const RestorePlan &plan)
{
    m_blocks = plan.refused ? QList<PlannedBlock>{} : plan.blocks;
    m_result = {};
    m_next = 0;
    m_running = true;
    writeNext();
}

void SetRestore::writeNext()
{
    if (m_next >= int(m_blocks.size())) {
        m_running = false;
        emit finished(m_result);
        return;
    }
    const PlannedBlock planned = m_blocks[m_next];
    emit progress(m_next, int(m_blocks.size()), planned.family);
    // The result of each block is reported here, not in a box per block.
    RequestQueue::Request write = RequestQueue::write(
        planned.block, [this, self = QPointer(this), planned](const RequestQueue::Result &ack) {
            if (self)
                written(planned, ack);
        });
    write.quiet = true;
    m_service.link().request(std::move(write));
}

void SetRestore::written(const PlannedBlock &planned, const RequestQueue::Result &ack)
{
    RestoredBlock done;
    done.family = planned.family;
    if (!ack.ok()) {
        done.state = ack.attempts > 0 && ack.outcome != RequestQueue::Outcome::NotSent
                         ? RestoredBlock::State::NotAcknowledged
                         : RestoredBlock::State::NotSent;
        end(done);
        return;
    }
    m_service.read(planned.family, [this, self = QPointer(this), planned, done](const RequestQueue::Result &back) mutable {
        if (!self)
            return;
        if (!back.ok()) {
            done.state = RestoredBlock::State::NotVerified;
        } else {
            done.verification = verifyReadBack(planned.family, planned.block, back.reply, m_service.controllerType(),
                                               m_service.languageCode());
            done.state = done.verification.verified ? RestoredBlock::State::Verified : RestoredBlock::State::Differs;
        }
        end(done);
    });
}

void SetRestore::end(RestoredBlock block)
{
    m_result.blocks << block;
    emit blockDone(block);
    ++m_next;
    QMetaObject::invokeMethod(this, &SetRestore::writeNext, Qt::QueuedConnection);
}
