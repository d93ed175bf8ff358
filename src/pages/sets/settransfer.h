#pragma once
// Whole parameter sets over the link, through the parameter service and its
// request queue: a backup reads every block (the Idc block first: it names
// the controller type the others are decoded for); a restore writes the
// planned blocks one by one, each acknowledged, read back and compared byte
// by byte before the next goes. Neither trusts what it did not see come
// back: a block is "verified" only when its read-back holds what was written.

#include "pages/sets/parameterset.h"
#include "link/requestqueue.h"
#include "pages/sets/restoreplan.h"

#include <QObject>

#include <functional>

class ParameterService;

struct BackupResult
{
    ParameterSet set;      // what came, with the time and the tool's version
    QList<FrameId> missing; // what did not, in backup order
    bool nothingAnswered() const;
};

class SetBackup : public QObject
{
    Q_OBJECT
public:
    explicit SetBackup(ParameterService &service, QObject *parent = nullptr);

    // Reads every block of a set; the port and settings go into the set.
    void start(const QString &port, const QString &settings);
    bool running() const { return m_running; }

signals:
    // Before each block's read: `done` blocks of `total` have ended.
    void progress(int done, int total, FrameId family);
    void finished(const BackupResult &result);

private:
    void readNext();

    ParameterService &m_service;
    BackupResult m_result;
    int m_next = 0;
    bool m_running = false;
};

// What became of one planned block.
struct RestoredBlock
{
    enum class State {
        Verified,        // read back as written
        Differs,         // read back, and it differs (`verification` says where)
        NotVerified,     // acknowledged, but the read-back did not come
        NotAcknowledged, // sent, no acknowledgement: the controller may or may not hold it
        NotSent,         // the link was gone before it went
    };
    FrameId family = FrameId::None;
    State state = State::NotSent;
    Verification verification;
};

struct RestoreResult
{
    QList<RestoredBlock> blocks; // in the plan's order
    bool allVerified() const;
    // One line per block in the language: "Basic: verified", ...
    QStringList lines(int languageCode) const;
};

class SetRestore : public QObject
{
    Q_OBJECT
public:
    explicit SetRestore(ParameterService &service, QObject *parent = nullptr);

    void start(const RestorePlan &plan);
    bool running() const { return m_running; }

signals:
    void progress(int done, int total, FrameId family);
    void blockDone(const RestoredBlock &block);
    void finished(const RestoreResult &result);

private:
    void writeNext();
    void written(const PlannedBlock &planned, const RequestQueue::Result &ack);
    void end(RestoredBlock block);

    ParameterService &m_service;
    QList<PlannedBlock> m_blocks;
    RestoreResult m_result;
    int m_next = 0;
    bool m_running = false;
};

// The state's word in the language ("verified", "written, not verified", ...).
QString restoredStateText(RestoredBlock::State state, int languageCode);
