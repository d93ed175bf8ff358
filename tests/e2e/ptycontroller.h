#pragma once
// A small scripted controller on the master side of a pseudo-terminal pair:
// it answers the status poll and the Idc read, can fall silent, and can
// vanish like an unplugged adapter. The tool opens a symlink to the slave
// side, so that a "replugged" controller appears under the same name.

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

class PtyController : public QObject
{
    Q_OBJECT
public:
    explicit PtyController(const QString &linkPath, QObject *parent = nullptr);
    ~PtyController() override;

    bool plugIn();   // a fresh pty pair, the symlink pointing at its slave
    void unplug();   // the symlink gone, both ends closed: the tool's open port goes dead

    QString linkPath() const { return m_linkPath; }
    bool answering = true;
    int polls = 0;
    int idcReads = 0;
    QByteArray received;

private:
    void onReadable();
    void reply(const QByteArray &block);

    QString m_linkPath;
    int m_master = -1;
    int m_slave = -1; // kept open so the master never sees a hang-up of its own
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_pending;
};
