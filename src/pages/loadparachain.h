#pragma once
// "Load para": three current reference points and one Torque PID gain from
// the file IqSet.txt, written first into the Protection block and then, once
// the controller acknowledged that write and the user closed its message,
// into the controller's own Torque PID block read back for the purpose.
//
// The file is a plain list of integers separated by commas or line breaks:
// Iqref 6[A], Iqref 7[A], Iqref 8[A], Iq ki gain 3, then up to seven more
// that are not used. A list that cannot be trusted is refused as a whole and
// nothing is sent: a missing gain would otherwise go out as 0 into the
// current loop.

#include "core/appstate.h"
#include "core/frames.h"
#include "link/requestqueue.h"

#include <QList>
#include <QObject>
#include <QString>

class MessageService;
class ParameterService;

inline constexpr int kIqSetMaxValues = 11;
inline constexpr int kIqSetUsedValues = 4;

struct IqSetList
{
    enum class Problem {
        None,
        Missing,      // no such file
        Unreadable,   // there, but it could not be read
        TooLarge,     // far more text than a list of 11 numbers
        EmptyValue,   // two separators with nothing between them
        NotAnInteger, // not a whole number from -32768 to 32767
        Negative,     // one of the four used values is below 0
        TooMany,      // more than 11 values
        TooFew,       // fewer than four values
    };

    QList<qint16> values;
    Problem problem = Problem::None;
    int position = 0;  // 1-based number of the value at fault
    QString item;      // its text
    int count = 0;     // how many values the file holds (TooMany, TooFew)

    bool ok() const { return problem == Problem::None; }
};

// Reads the list from the text of the file.
IqSetList parseIqSet(const QByteArray &text);
// Reads the list from the file at `path`.
IqSetList readIqSetFile(const QString &path);
// The message that explains a refused list, in the current language.
QString iqSetProblemMessage(int languageCode, const IqSetList &list, const QString &path);
// IqSet.txt where the tool finds its data files (see core/datafolder.h).
QString defaultIqSetPath();

class LoadParaChain : public QObject
{
    Q_OBJECT
public:
    enum class Stage { Idle, AwaitingProtectionAck, AwaitingTorquePid };

    LoadParaChain(ParameterService &service, MessageService &messages, QObject *parent = nullptr);

    // The file "Load para" reads: looked up at each use unless a test set it.
    QString iqSetPath() const { return m_path.isEmpty() ? defaultIqSetPath() : m_path; }
    void setIqSetPath(const QString &path) { m_path = path; }

    // The loaded gain is pending from here until the next Torque PID encoding.
    void arm(qint32 iqKiGain3);
    // The Protection block went out: wait for its acknowledgement.
    void protectionSent();
    // The end of the Protection write's request: anything but its
    // acknowledgement ends the chain, and says so.
    void protectionAnswered(const RequestQueue::Result &result);
    // The Protection block could not be encoded: the gain is no longer pending,
    // so no Torque PID reply shows or writes a value the controller never got.
    void abandon();

    Stage stage() const { return m_stage; }

signals:
    // The Torque PID block with the loaded gain went out.
    void torquePidWritten();

private:
    void onAcknowledged(quint8 command);
    void onTorquePid(const RequestQueue::Result &result);
    void giveUp(const char *why);
    bool chainActive() const;

    ParameterService &m_service;
    MessageService &m_messages;
    BlockParts m_parts;
    QString m_path;
    Stage m_stage = Stage::Idle;
};
