#include "pages/ui/userinfopage.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "pages/blocks/userinfoblock.h"
#include "pages/parameterservice.h"
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

UserInfoPage::UserInfoPage(ParameterService &service, const LanguageState &language, MessageService &messages,
                           QWidget *parent)
    : PageWindow(parent),
      m_service(service),
      m_model(*service.model(FrameId::UserInfo)),
      m_language(language),
      m_messages(messages)
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

    // The boxes are a view of the model: what either shows, the other holds.
    const int nameSlot = t.slotOf(u"txtUserName");
    const int passwordSlot = t.slotOf(u"txtPassword");
    showModel();
    connect(m_txtUserName, &QLineEdit::textChanged, this,
            [this, nameSlot](const QString &text) { m_model.setText(nameSlot, text); });
    connect(m_txtPassword, &QLineEdit::textChanged, this,
            [this, passwordSlot](const QString &text) { m_model.setText(passwordSlot, text); });
    connect(&m_model, &BlockModel::changed, this, &UserInfoPage::showModel);

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
    return m_model.values();
}

void UserInfoPage::showModel()
{
    const ValueMap &v = m_model.values();
    for (QLineEdit *box : {m_txtUserName, m_txtPassword}) {
        const QString text = v.text(box->objectName());
        if (box->text() != text)
            box->setText(text);
    }
}

void UserInfoPage::cmdOK_Click()
{
    const ParameterService::WritePlan plan = m_service.planWrite(FrameId::UserInfo, values(), true);
    if (plan.step != ParameterService::WritePlan::Step::Send) {
        const FieldSpec &f = userInfoTable().field(plan.failedField);
        refuse(findChild<QLineEdit *>(QLatin1String(f.control)), plan.text);
        return;
    }
    m_service.writeVerified(plan.block);
}

void UserInfoPage::refuse(QLineEdit *box, const QString &message)
{
    box->setStyleSheet(kErrorStyle);
    box->setToolTip(message);
    if (box->isVisible()) {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
    m_messages.infoAbout(objectName(), message);
}

void UserInfoPage::cmdread_Click()
{
    m_service.read(FrameId::UserInfo);
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
