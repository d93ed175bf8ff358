#include "pages/ui/userinfopage.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "pages/blocks/userinfoblock.h"
#include "pages/engine/pageregistry.h"
#include "widgets/fonts.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr const char *kContext = "frmUserInfo";
constexpr const char *kOK = QT_TRANSLATE_NOOP("frmUserInfo", "OK");
constexpr const char *kRead = QT_TRANSLATE_NOOP("frmUserInfo", "read");
constexpr const char *kReset = QT_TRANSLATE_NOOP("frmUserInfo", "reset");

const QString kErrorStyle = QStringLiteral("QLineEdit { border: 2px solid #d00000; padding: 1px; }");

QString text(int languageCode, const char *source)
{
    const QString t = bilingual(languageCode, kContext, source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

// "中" (U+4E2D); control characters by their code alone.
QString describeCharacter(char32_t c)
{
    const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    const QString shown = QString::fromUcs4(&c, 1);
    if (shown.isEmpty() || !QChar::isPrint(c))
        return code;
    return QStringLiteral("\"%1\" (%2)").arg(shown, code);
}

QLineEdit *makeBox(const char *name, const char *defaultText, int maxLength, QWidget *parent)
{
    auto *box = new QLineEdit(QString::fromLatin1(defaultText), parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(maxLength);
    // Room for a whole name of average letters.
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(maxLength, u'n')) + 16);
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        box->setStyleSheet(QString());
        box->setToolTip(QString());
    });
    return box;
}
} // namespace

QString userInfoRefusal(int languageCode, ParseError error, const QString &caption,
                        char32_t character, int maxLength)
{
    if (error == ParseError::TooLong) {
        return text(languageCode,
                    QT_TRANSLATE_NOOP("frmUserInfo",
                                      "\"%1\" holds more than %2 characters, more than the "
                                      "controller stores. Nothing was written."))
            .arg(caption)
            .arg(maxLength);
    }
    return text(languageCode,
                QT_TRANSLATE_NOOP("frmUserInfo",
                                  "\"%1\" holds the character %2, which the controller cannot "
                                  "store. Nothing was written."))
        .arg(caption, describeCharacter(character));
}

UserInfoPage::UserInfoPage(BlockParts parts, const LanguageState &language, LinkController &link,
                           MessageService &messages, QWidget *parent)
    : PageWindow(parent), m_parts(parts), m_language(language), m_link(link), m_messages(messages)
{
    setObjectName(QLatin1String(kContext));
    const BlockTable &t = userInfoTable();
    setWindowTitle(QString::fromUtf8(t.definition().caption));
    setFont(englishFont(9));

    const FieldSpec &name = t.field(t.fieldOfSlot(t.slotOf(u"txtUserName")));
    const FieldSpec &password = t.field(t.fieldOfSlot(t.slotOf(u"txtPassword")));
    m_txtUserName = makeBox(name.control, name.defaultText, name.length, this);
    m_txtPassword = makeBox(password.control, password.defaultText, password.length, this);
    m_lblUserName = new QLabel(QString::fromUtf8(name.caption), this);
    m_lblUserName->setObjectName(t.labelName(t.fieldOfSlot(t.slotOf(u"txtUserName"))));
    m_lblUserName->setBuddy(m_txtUserName);
    m_lblPassword = new QLabel(QString::fromUtf8(password.caption), this);
    m_lblPassword->setObjectName(t.labelName(t.fieldOfSlot(t.slotOf(u"txtPassword"))));
    m_lblPassword->setBuddy(m_txtPassword);
    for (QLineEdit *box : {m_txtUserName, m_txtPassword})
        box->installEventFilter(this);

    m_cmdread = new QPushButton(QString::fromUtf8(kRead), this);
    m_cmdread->setObjectName(QStringLiteral("cmdread"));
    m_cmdreset = new QPushButton(QString::fromUtf8(kReset), this);
    m_cmdreset->setObjectName(QStringLiteral("cmdreset"));
    m_cmdOK = new QPushButton(QString::fromUtf8(kOK), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    for (QPushButton *b : {m_cmdread, m_cmdreset, m_cmdOK})
        b->setAutoDefault(false);

    auto *top = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(m_lblUserName, 0, 0);
    grid->addWidget(m_txtUserName, 0, 1);
    grid->addWidget(m_lblPassword, 1, 0);
    grid->addWidget(m_txtPassword, 1, 1);
    grid->setColumnStretch(1, 1);
    top->addLayout(grid);
    top->addSpacing(8);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdread);
    buttons->addWidget(m_cmdreset);
    buttons->addWidget(m_cmdOK);
    top->addLayout(buttons);

    connect(m_cmdOK, &QPushButton::clicked, this, &UserInfoPage::cmdOK_Click);
    connect(m_cmdread, &QPushButton::clicked, this, &UserInfoPage::cmdread_Click);
    connect(m_cmdreset, &QPushButton::clicked, this, &UserInfoPage::cmdreset_Click);
}

void UserInfoPage::applyCaptions()
{
    const int code = m_language.languageCode;
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    const BlockTable &t = userInfoTable();
    setFont(fontForLanguage(code, 9));
    setWindowTitle(text(code, t.definition().caption));
    m_lblUserName->setText(text(code, t.field(0).caption));
    m_lblPassword->setText(text(code, t.field(1).caption));
    m_cmdread->setText(text(code, kRead));
    m_cmdreset->setText(text(code, kReset));
    m_cmdOK->setText(text(code, kOK));
}

ValueMap UserInfoPage::values() const
{
    ValueMap v(userInfoTable());
    const bool named = v.setText(u"txtUserName", m_txtUserName->text());
    const bool passworded = v.setText(u"txtPassword", m_txtPassword->text());
    Q_ASSERT(named && passworded);
    return v;
}

void UserInfoPage::decodeReply()
{
    ValueMap v = values();
    decodeUserInfo(m_parts, v);
    m_txtUserName->setText(v.text(u"txtUserName"));
    m_txtPassword->setText(v.text(u"txtPassword"));
}

void UserInfoPage::cmdOK_Click()
{
    const ValueMap v = values();
    const EncodeResult result = encodeUserInfo(m_parts, v);
    if (!result.ok()) {
        const BlockTable &t = userInfoTable();
        const FieldSpec &f = t.field(result.failedField);
        QLineEdit *box = findChild<QLineEdit *>(QLatin1String(f.control));
        const char32_t bad = firstCharacterOutsideLatin1(box->text()).value_or(0);
        refuse(box, userInfoRefusal(m_language.languageCode, result.error,
                                    text(m_language.languageCode, f.caption), bad, f.length));
        return;
    }
    m_link.sendFrame(toByteArray(m_parts.frames[FrameId::UserInfo]));
}

void UserInfoPage::refuse(QLineEdit *box, const QString &message)
{
    box->setStyleSheet(kErrorStyle);
    box->setToolTip(message);
    if (box->isVisible()) {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
    m_messages.info(message);
}

void UserInfoPage::cmdread_Click()
{
    m_link.sendFrame(requestFrames().userInfoReadRequest);
}

void UserInfoPage::cmdreset_Click()
{
    m_txtUserName->clear();
    m_txtPassword->clear();
}

// A typed space never reaches the boxes; text pasted in keeps its spaces.
bool UserInfoPage::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_txtUserName || watched == m_txtPassword) && event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent *>(event)->text() == QStringLiteral(" "))
            return true;
    }
    return PageWindow::eventFilter(watched, event);
}
