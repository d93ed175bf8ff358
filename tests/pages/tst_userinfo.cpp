#include "core/appstate.h"
#include "core/language.h"
#include "link/linkcontroller.h"
#include "pages/blocks/userinfoblock.h"
#include "pages/parameterservice.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/userinfopage.h"

#include "fakeport.h"
#include "recordingmessages.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
// Bytes 3..30 of a block: name field, then password field.
Block userBlock(quint8 sub, const QByteArray &name, const QByteArray &password)
{
    Block b = makeBlock({0xF1, sub, 0xA2});
    for (int k = 0; k < name.size(); ++k)
        b[std::size_t(3 + k)] = quint8(name[k]);
    for (int k = 0; k < password.size(); ++k)
        b[std::size_t(23 + k)] = quint8(password[k]);
    return b;
}

struct Bench
{
    AppState state;
    RecordingMessages messages;
    FakeLine line;
    LinkController link{state.connection, state.language, messages};
    QWidget mainWindow;
    ParameterService service{state.blockParts(), link, state.language};
    PageNavigator nav{service, state.language, messages, &mainWindow};
    Bench()
    {
        link.setPortFactory(line.factory());
        nav.setPageFactory(PageId::UserInfo, [this](QWidget *parent) -> QWidget * {
            return new UserInfoPage(service, state.language, messages, parent);
        });
    }
    UserInfoPage *page() { return qobject_cast<UserInfoPage *>(nav.ensurePage(PageId::UserInfo)); }
    QLineEdit *box(const char *name) { return page()->findChild<QLineEdit *>(QLatin1String(name)); }
    void click(const char *name)
    {
        QTest::mouseClick(page()->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
    }
};
} // namespace

class TestUserInfo : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { installChineseTranslator(false); }
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void refusedTexts_data();
    void refusedTexts();
    void writeRefusalNamesTheCharacter_data();
    void writeRefusalNamesTheCharacter();
    void typedSpacesRefusedPastedKept();
    void boxesHoldWhatFits();
    void buttons();
    void menuReadAndReply();
    void captionsInBothLanguages();
};

void TestUserInfo::encode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("nameBytes");     // then zeros up to byte 22
    QTest::addColumn<QByteArray>("passwordBytes"); // then zeros up to byte 30
    QTest::newRow("the defaults") << "tovrin" << "47474747" << QByteArray("tovrin") << QByteArray("47474747");
    QTest::newRow("empty password") << "tovrin" << "" << QByteArray("tovrin") << QByteArray();
    QTest::newRow("both empty") << "" << "" << QByteArray() << QByteArray();
    QTest::newRow("20-character name") << "ABCDEFGHIJKLMNOPQRST" << "1"
                                       << QByteArray("ABCDEFGHIJKLMNOPQRST") << QByteArray("1");
    QTest::newRow("spaces kept") << "a b" << " x" << QByteArray("a b") << QByteArray(" x");
    QTest::newRow("Latin-1 letters") << QString::fromUtf8("Müller") << QString::fromUtf8("é")
                                     << QByteArray("M\xFCller") << QByteArray("\xE9");
}

void TestUserInfo::encode()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QByteArray, nameBytes);
    QFETCH(QByteArray, passwordBytes);
    AppState state;
    ValueMap v(userInfoTable());
    QVERIFY(v.setText(u"txtUserName", name));
    QVERIFY(v.setText(u"txtPassword", password));
    QVERIFY(encodeUserInfo(state.blockParts(), v).ok());
    QCOMPARE(hexString(state.frames[FrameId::UserInfo]), hexString(userBlock(0xE2, nameBytes, passwordBytes)));
}

void TestUserInfo::decode_data()
{
    QTest::addColumn<QByteArray>("nameField");
    QTest::addColumn<QByteArray>("passwordField");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::newRow("the defaults") << QByteArray("tovrin") << QByteArray("47474747") << "tovrin" << "47474747";
    QTest::newRow("empty password") << QByteArray("tovrin") << QByteArray() << "tovrin" << "";
    QTest::newRow("byte 3 zero, byte 4 not") << QByteArray("\0bob", 4) << QByteArray("pw") << "bob" << "pw";
    QTest::newRow("password byte 23 zero") << QByteArray("a") << QByteArray("\0xy", 3) << "a" << "xy";
    QTest::newRow("stops at the first zero") << QByteArray("ab\0cd", 5) << QByteArray("1\0002", 3) << "ab" << "1";
    QTest::newRow("20 bytes of name") << QByteArray("ABCDEFGHIJKLMNOPQRST") << QByteArray("zz")
                                      << "ABCDEFGHIJKLMNOPQRST" << "zz";
    QTest::newRow("both full") << QByteArray("ABCDEFGHIJKLMNOPQRST") << QByteArray("12345678")
                               << "ABCDEFGHIJKLMNOPQRST" << "12345678";
    QTest::newRow("high codes") << QByteArray("\xE9\xFF") << QByteArray("\x80") << QString::fromUtf8("éÿ")
                                << QString(QChar(0x80));
}

void TestUserInfo::decode()
{
    QFETCH(QByteArray, nameField);
    QFETCH(QByteArray, passwordField);
    QFETCH(QString, name);
    QFETCH(QString, password);
    AppState state;
    state.frames[FrameId::UserInfo] = userBlock(0xE1, nameField, passwordField);
    ValueMap v(userInfoTable());
    decodeUserInfo(state.blockParts(), v);
    QCOMPARE(v.text(u"txtUserName"), name);
    QCOMPARE(v.text(u"txtPassword"), password);
}

void TestUserInfo::refusedTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("failed");
    QTest::addColumn<int>("error");
    QTest::newRow("21-character name") << QString(21, u'n') << "" << "txtUserName" << int(ParseError::TooLong);
    QTest::newRow("9-character password") << "" << QString(9, u'p') << "txtPassword" << int(ParseError::TooLong);
    QTest::newRow("Chinese name") << QString::fromUtf8("张三") << "" << "txtUserName" << int(ParseError::BadCharacter);
    QTest::newRow("euro sign") << "" << QString::fromUtf8("12€") << "txtPassword" << int(ParseError::BadCharacter);
    QTest::newRow("NUL inside") << QString(QChar(0)) + u'a' << "" << "txtUserName" << int(ParseError::BadCharacter);
}

void TestUserInfo::refusedTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, failed);
    QFETCH(int, error);
    AppState state;
    const Block before = state.frames[FrameId::UserInfo];
    ValueMap v(userInfoTable());
    QVERIFY(v.setText(u"txtUserName", name));
    QVERIFY(v.setText(u"txtPassword", password));
    const EncodeResult r = encodeUserInfo(state.blockParts(), v);
    QVERIFY(!r.ok());
    QCOMPARE(QLatin1String(userInfoTable().field(r.failedField).control), failed);
    QCOMPARE(int(r.error), error);
    QCOMPARE(state.frames[FrameId::UserInfo], before); // nothing cut off, nothing built
}

void TestUserInfo::writeRefusalNamesTheCharacter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("named");
    QTest::newRow("Chinese character") << QString::fromUtf8("张三") << LanguageCode::English
                                       << QString::fromUtf8("\"张\" (U+5F20)");
    QTest::newRow("emoji, one character") << QString::fromUtf8("a😀") << LanguageCode::English
                                          << QString::fromUtf8("\"😀\" (U+1F600)");
    QTest::newRow("in Chinese") << QString::fromUtf8("€") << LanguageCode::Chinese
                                << QString::fromUtf8("\"€\" (U+20AC)");
}

void TestUserInfo::writeRefusalNamesTheCharacter()
{
    QFETCH(QString, name);
    QFETCH(int, language);
    QFETCH(QString, named);
    Bench b;
    setLanguage(b.state.language, language);
    b.box("txtUserName")->setText(name);
    b.click("cmdOK");
    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.messages.shown.size(), 1);
    const QString text = b.messages.shown[0].message.text;
    QVERIFY2(text.contains(named), qPrintable(text));
    QVERIFY2(text.contains(language == LanguageCode::Chinese ? QString::fromUtf8("用户名") : QStringLiteral("User name")),
             qPrintable(text));
}

void TestUserInfo::typedSpacesRefusedPastedKept()
{
    Bench b;
    QLineEdit *name = b.box("txtUserName");
    name->clear();
    QTest::keyClicks(name, QStringLiteral("a b c"));
    QCOMPARE(name->text(), QStringLiteral("abc"));
    QLineEdit *password = b.box("txtPassword");
    password->clear();
    QTest::keyClick(password, Qt::Key_Space);
    QCOMPARE(password->text(), QString());

    QApplication::clipboard()->setText(QStringLiteral(" x y"));
    name->paste();
    QCOMPARE(name->text(), QStringLiteral("abc x y"));
    b.click("cmdOK");
    QCOMPARE(hexString(b.line.writes.value(0)), hexString(userBlock(0xE2, "abc x y", "")));
}

void TestUserInfo::boxesHoldWhatFits()
{
    Bench b;
    QLineEdit *name = b.box("txtUserName");
    QLineEdit *password = b.box("txtPassword");
    name->clear();
    password->clear();
    QTest::keyClicks(name, QString(25, u'n'));
    QTest::keyClicks(password, QStringLiteral("123456789"));
    QCOMPARE(name->text(), QString(20, u'n'));
    QCOMPARE(password->text(), QStringLiteral("12345678"));
    b.click("cmdOK");
    QCOMPARE(hexString(b.line.writes.value(0)),
             hexString(userBlock(0xE2, QByteArray(20, 'n'), "12345678")));
}

void TestUserInfo::buttons()
{
    Bench b;
    b.line.answerEverything();
    b.service.setVerifyWrites(false); // no read-back between the buttons' frames
    QCOMPARE(b.box("txtUserName")->text(), QStringLiteral("tovrin"));
    QCOMPARE(b.box("txtPassword")->text(), QStringLiteral("47474747"));
    b.click("cmdOK");
    b.click("cmdread");
    b.click("cmdreset");
    QCOMPARE(b.box("txtUserName")->text(), QString());
    QCOMPARE(b.box("txtPassword")->text(), QString());
    b.click("cmdOK");
    const QList<QByteArray> expected{toByteArray(userBlock(0xE2, "tovrin", "47474747")),
                                     bytesOf({0xF1, 0xE1, 0xA2, 0xDA}),
                                     toByteArray(userBlock(0xE2, "", ""))};
    QTRY_COMPARE(b.line.writes, expected);
    QCOMPARE(b.messages.texts(), (QStringList{"User info set successfull!", "User info set successfull!"}));
}

void TestUserInfo::menuReadAndReply()
{
    Bench b;
    b.nav.showUserInfoPage();
    QCOMPARE(b.line.writes, QList<QByteArray>{bytesOf({0xF1, 0xE1, 0xA2, 0xDA})});
    QWidget *w = b.nav.page(PageId::UserInfo);
    QVERIFY(qobject_cast<UserInfoPage *>(w));
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowModality(), Qt::ApplicationModal);
    b.line.deliver(toByteArray(userBlock(0xE1, QByteArray("\0kim", 4), "")));
    QCOMPARE(b.box("txtUserName")->text(), QStringLiteral("kim"));
    QCOMPARE(b.box("txtPassword")->text(), QString());
    // The acknowledgement of a write.
    b.line.deliver(toByteArray(userBlock(0xE2, "", "")));
    QCOMPARE(b.messages.texts(), QStringList{QStringLiteral("User info set successfull!")});
}

void TestUserInfo::captionsInBothLanguages()
{
    struct Caption { const char *name; const char *english; const char *chinese; };
    const Caption captions[] = {
        {"lblUserName", "User name", "用户名"}, {"lblPassword", "Password", "密码"},
        {"cmdOK", "OK", "确定"}, {"cmdread", "read", "读出"}, {"cmdreset", "reset", "清空"},
    };
    for (int language : {LanguageCode::English, LanguageCode::Chinese}) {
        Bench b;
        setLanguage(b.state.language, language);
        b.nav.showUserInfoPage();
        UserInfoPage *p = b.page();
        const bool chinese = language == LanguageCode::Chinese;
        QCOMPARE(p->windowTitle(), chinese ? QString::fromUtf8("用户信息") : QStringLiteral("User information"));
        for (const Caption &c : captions) {
            QWidget *w = p->findChild<QWidget *>(QLatin1String(c.name));
            QVERIFY2(w, c.name);
            const QString shown = qobject_cast<QLabel *>(w) ? qobject_cast<QLabel *>(w)->text()
                                                             : qobject_cast<QPushButton *>(w)->text();
            QCOMPARE(shown, QString::fromUtf8(chinese ? c.chinese : c.english));
            // Nothing cut off.
            QVERIFY2(w->width() >= w->sizeHint().width(), c.name);
        }
        // A look at the window (KESTRANE_SHOTS=folder).
        const QString shots = qEnvironmentVariable("KESTRANE_SHOTS");
        if (!shots.isEmpty())
            p->grab().save(QDir(shots).filePath(chinese ? QStringLiteral("frmUserInfo_zh.png")
                                                        : QStringLiteral("frmUserInfo_en.png")));
    }
}

QTEST_MAIN(TestUserInfo)
#include "tst_userinfo.moc"
