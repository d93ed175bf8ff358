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
class BlockModel;
class MessageService;
class ParameterService;

class UserInfoPage : public PageWindow
{
    Q_OBJECT
public:
    UserInfoPage(ParameterService &service, const LanguageState &language, MessageService &messages,
                 QWidget *parent = nullptr);

    void applyCaptions() override;

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
    void showModel();

    ParameterService &m_service;
    BlockModel &m_model;
    const LanguageState &m_language;
    MessageService &m_messages;
    QLabel *m_lblUserName = nullptr;
    QLabel *m_lblPassword = nullptr;
    QLineEdit *m_txtUserName = nullptr;
    QLineEdit *m_txtPassword = nullptr;
    QPushButton *m_cmdread = nullptr;
    QPushButton *m_cmdreset = nullptr;
    QPushButton *m_cmdOK = nullptr;
};

