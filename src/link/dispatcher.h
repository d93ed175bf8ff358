#pragma once
// The receive dispatch: a block with a valid end marker is looked up in the
// reply table, copied into its buffer, and announced by the signal of its
// reply family. Pages, panels and calibration windows listen with a context
// object, so a window that closes simply stops listening.

#include "link/commandtable.h"

#include <QByteArray>
#include <QObject>

class FrameBuffers;
struct LanguageState;
class LinkSupervisor;
class MessageService;

class Dispatcher : public QObject
{
    Q_OBJECT
public:
    Dispatcher(FrameBuffers &frames, const LanguageState &language, LinkSupervisor &supervisor,
               MessageService &messages, QObject *parent = nullptr);

    // Dispatches one block whose end marker has been checked; returns the
    // matching row or nullptr.
    const ReplyRow *dispatch(const Block &block);

signals:
    // A live-status block is in the status buffer.
    void statusReceived();
    // A parameter, Idc calibration or user-information block is in `buffer`
    // (also the hall group A result, laid out as a Motor block).
    void blockReceived(FrameId buffer);
    // The acknowledgement of a write (command byte `command`) has been shown
    // and its box closed by the user (at once for a language without texts).
    void acknowledgementClosed(quint8 command);
    // Hall-test progress: HallAUnderTest, HallADone, HallBUnderTest, HallBDone,
    // HallWarning.
    void hallReply(ReplyAction action);

private:
    void acknowledge(const ReplyRow &row);
    void hallWarning();

    FrameBuffers &m_frames;
    const LanguageState &m_language;
    LinkSupervisor &m_supervisor;
    MessageService &m_messages;
};
