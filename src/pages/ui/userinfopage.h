#pragma once
// frmUserInfo: the user name and password stored in the controller, in two
// plain text boxes, with "read", "reset" and "OK" (write). Typed spaces are
// refused (pasted ones are kept); the boxes hold at most what the block has
// room for, and a write with a character the block cannot carry is refused
// with a message that names it.

#include "core/appstate.h"
#include "core/textnumber.h"
#include "pages/engine/fieldcodec.h"
#include "pages/ui/pagewindow.h"

class QLabel;
class QLineEdit;
class QPushButton;
class LinkController;
class MessageService;

class UserInfoPage : public PageWindow
{
    Q_OBJECT
public:
    UserInfoPage(BlockParts parts, const LanguageState &language, LinkController &link,
                 MessageService &messages, QWidget *parent = nullptr);

    void applyCaptions() override;
    void decodeReply() override;

    // Encodes the boxes and sends the block; a refused text is named in a
    // message, marked, and nothing is sent.
    void cmdOK_Click();
    void cmdread_Click();
    // Empties both boxes; sends nothing.
    void cmdreset_Click();

    ValueMap values() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refuse(QLineEdit *box, const QString &message);

    BlockParts m_parts;
    const LanguageState &m_language;
    LinkController &m_link;
    MessageService &m_messages;
    QLabel *m_lblUserName = nullptr;
    QLabel *m_lblPassword = nullptr;
    QLineEdit *m_txtUserName = nullptr;
    QLineEdit *m_txtPassword = nullptr;
    QPushButton *m_cmdread = nullptr;
    QPushButton *m_cmdreset = nullptr;
    QPushButton *m_cmdOK = nullptr;
};

// The refusal of a write, in the current language (context "frmUserInfo").
// `character` is the code point that does not fit (BadCharacter).
QString userInfoRefusal(int languageCode, ParseError error, const QString &caption,
                        char32_t character, int maxLength);
