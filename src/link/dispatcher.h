#pragma once
// The receive dispatch: a block with a valid end marker is looked up in the
// reply table and announced, with the block itself, on the route of its row.
// Models, panels and calibration windows listen with a context object, so a
// listener that goes away simply stops listening.

#include "link/commandtable.h"

#include <QObject>

#include <functional>

struct LanguageState;
class LinkSupervisor;
class MessageService;

class Dispatcher : public QObject
{
    Q_OBJECT
public:
    Dispatcher(const LanguageState &language, LinkSupervisor &supervisor, MessageService &messages,
               QObject *parent = nullptr);

    // Dispatches one block whose end marker has been checked; returns the
    // matching row or nullptr. `quietAck`: an acknowledgement is announced
    // but shows no box (a request that reports its own outcome).
    const ReplyRow *dispatch(const Block &block, bool quietAck = false);

    // The window an acknowledgement of `family` is about (its page), so
    // that the box appears over the page that wrote.
    void setWindowOfFamily(std::function<QString(FrameId)> windowOf) { m_windowOf = std::move(windowOf); }

signals:
    // A live-status block.
    void statusReceived(const Block &block);
    // A block of a family: the reply to a read (or to the Idc counter reset).
    void blockReceived(FrameId family, const Block &block);
    // The acknowledgement of a write of `family` (FrameId::None for the
    // factory commands) arrived; its box is being shown.
    void acknowledged(FrameId family, const Block &block);
    // The acknowledgement's box was closed by the user (at once for a
    // language without texts).
    void acknowledgementClosed(quint8 command);
    // Hall-test progress: HallAUnderTest, HallADone (the group A result, laid
    // out as a Motor block), HallBUnderTest, HallBDone (the group B result),
    // HallWarning.
    void hallReply(ReplyAction action, const Block &block);

private:
    void acknowledge(const ReplyRow &row, const Block &block, bool quiet);
    void hallWarning();

    const LanguageState &m_language;
    LinkSupervisor &m_supervisor;
    MessageService &m_messages;
    std::function<QString(FrameId)> m_windowOf;
};
