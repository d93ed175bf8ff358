#include "link/dispatcher.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "link/linksupervisor.h"

#include <QPointer>

Dispatcher::Dispatcher(const LanguageState &language, LinkSupervisor &supervisor, MessageService &messages,
                       QObject *parent)
    : QObject(parent), m_language(language), m_supervisor(supervisor), m_messages(messages)
{
}

const ReplyRow *Dispatcher::dispatch(const Block &block, bool quietAck)
{
    const ReplyRow *row = findReplyRow(block);
    if (!row)
        return nullptr;

    switch (row->action) {
    case ReplyAction::None:
        break;
    case ReplyAction::Ack:
        acknowledge(*row, block, quietAck);
        break;
    case ReplyAction::Block:
        emit blockReceived(row->family, block);
        break;
    case ReplyAction::Status:
        emit statusReceived(block);
        m_supervisor.statusBlock();
        break;
    case ReplyAction::HallWarning:
        hallWarning();
        emit hallReply(row->action, block);
        break;
    case ReplyAction::HallAUnderTest:
    case ReplyAction::HallADone:
    case ReplyAction::HallBUnderTest:
    case ReplyAction::HallBDone:
        emit hallReply(row->action, block);
        break;
    }
    return row;
}

void Dispatcher::acknowledge(const ReplyRow &row, const Block &block, bool quiet)
{
    const quint8 command = row.command;
    emit acknowledged(row.family, block);
    const QString text = quiet ? QString() : bilingual(m_language.languageCode, "Link", row.ackText);
    if (text.isNull()) {
        emit acknowledgementClosed(command);
        return;
    }
    QPointer<Dispatcher> self(this);
    const QString about = m_windowOf ? m_windowOf(row.family) : QString();
    m_messages.infoAbout(about, text, [self, command] {
        if (self)
            emit self->acknowledgementClosed(command);
    });
}

void Dispatcher::hallWarning()
{
    // The one message with its own title and icon in English.
    if (m_language.languageCode == LanguageCode::English) {
        m_messages.show({MessageService::Icon::Critical, QStringLiteral("warning"),
                         QString::fromUtf8(kHallWarningText), QString::fromLatin1(kHallTestWindow)});
    } else if (m_language.languageCode == LanguageCode::Chinese) {
        m_messages.infoAbout(QString::fromLatin1(kHallTestWindow),
                             bilingual(m_language.languageCode, "Link", kHallWarningText));
    }
}
