#pragma once
// The simulated controller on a pseudo-terminal pair: the tool opens the
// slave side like a serial adapter, the simulator talks on the master side.

#include "linesettings.h"

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace sim {

class SimLine;

class PtyEndpoint : public QObject
{
    Q_OBJECT
public:
    explicit PtyEndpoint(SimLine &line, QObject *parent = nullptr);
    ~PtyEndpoint() override;

    // Opens the pair in raw mode; false with the reason in `error`.
    bool open(QString *error);
    QString devicePath() const { return m_devicePath; }
    // A symlink at `path` to the device (replacing an old symlink there).
    bool makeLink(const QString &path, QString *error);
    void close();
    // The settings the tool set on its end (the slave side's terminal
    // settings, which a pseudo-terminal keeps but does not act on).
    LineSettings toolLine() const;

signals:
    void log(const QString &line);

private:
    void onReadable();
    void onTransmit(const QByteArray &bytes);
    void onWritable();
    void writeBacklog();

    SimLine &m_line;
    int m_master = -1;
    // Kept open, so that the master never reads a hang-up while the tool has
    // the device closed (between its openings).
    int m_slave = -1;
    QString m_devicePath;
    QString m_linkPath;
    QSocketNotifier *m_notifier = nullptr;
    // Bytes the line did not take yet (the tool reads slower than a flood
    // comes); written when the line takes bytes again.
    QByteArray m_backlog;
    QSocketNotifier *m_writeNotifier = nullptr;
    static constexpr qsizetype kMaxBacklog = 1 << 20;
};

} // namespace sim
