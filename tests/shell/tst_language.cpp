#include "buildinfo/buildinfo.h"
#include "core/language.h"

#include "mainwindowbench.h"
#include "pages/engine/pageregistry.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include "pages/ui/pagenavigator.h"

namespace {
struct Caption
{
    const char *name;
    const char *english;
    const char *chinese;
};

// The main window's caption tables: shell, status frame, fault frame, buttons.
const Caption kCaptions[] = {
    {"Menu_File", "&File", "文件(&F)"},
    {"Menu_File_Exit", "E&xit", "退出(&X)"},
    {"Menu_Option", "&Options", "选项(&O)"},
    {"Menu_Option_ComSet", "&Com Setting...", "通讯设置(&C)..."},
    {"Menu_Help", "&Help", "帮助(&H)"},
    {"Menu_Help_Cont", "&Contact us", "联系我们(&C)"},
    {"Menu_Help_About", "&About Kestrane", "关于 Kestrane(&A)"},
    {"frmSysStatus", "System RealTime info", "系统实时状态"},
    {"lblfrmSysStatusVdc", "Vdc[V]", "电压[V]"},
    {"lblfrmSysStatusIdc", "Idc[A]", "电流[A]"},
    {"lblfrmSysStatusRPM", "Revolution[rpm]", "转速[rpm]"},
    {"lblfrmSysStatusVthrot", "Motor T[Deg]", "电机温度[度]"},
    {"lblfrmSysStatustemp", "Power T[Deg]", "功率器件温度[度]"},
    {"lblfrmSysStatusTref", "Iq ref[A]", "相电流指令值[A]"},
    {"lblfrmSysStatusTact", "Iq actual[A]", "相电流实际值[A]"},
    {"lblIdref", "Id ref[A]", "弱磁电流指令值[A]"},
    {"lblIdactual", "Id actual[A]", "弱磁电流实际值[A]"},
    {"lblfrmSysStatusHallC", "Hall calib", "霍尔标定状态"},
    {"lblfrmSysStatusAlarm", "Alarm", "防盗状态"},
    {"lblfrmSysStatusEco", "Forward", "前进档状态"},
    {"lblfrmSysStatusHallP", "Throttle vdc[V]", "油门电压[V]"},
    {"lblfrmSysStatusBrake", "Brake", "刹车状态"},
    {"lblfrmSysStatusDir", "Backward", "倒车状态"},
    {"lblfrmSysStatusBoost", "Boost", "增力状态"},
    {"lblECO", "ECO status", "两档状态"},
    {"lblState", "STATE", "状态机"},
    {"lblHallSt", "Hall", "霍尔状态"},
    {"lblMode", "Mode", "档位"},
    {"lblMaxTime", "Aging time[s]", "老化时间[s]"},
    {"frmErrCode", "Error infomation", "故障信息"},
    {"lblErrTitle", "Error description", "故障描述"},
    {"lblCurrent", "Current", "当前"},
    {"lblhistory", "History", "历史"},
    {"lblfrmErrHall", "Hall", "霍尔"},
    {"lblfrmErrUV", "Under vdc", "欠压"},
    {"lblfrmErrOV", "Over vdc", "过压"},
    {"lblfrmErrOH", "Over heat", "过热"},
    {"lblfrmErrOIac", "Over iac", "过流"},
    {"lblfrmErrDQtime", "Over load", "过载"},
    {"lblfrmErrLockM", "Motor lock", "堵转"},
    {"lblfrmErrMOH", "Motor OH", "电机过热"},
    {"lblfrmErrMSOpen", "MS open", "电机热阻开路"},
    {"lblfrmErrMSShort", "MS short", "电机热阻断路"},
    {"lblfrmErrBMS", "BMS Err", "BMS故障"},
    {"lblfrmErrHallD", "Hall sensor is error", "霍尔传感器故障"},
    {"lblfrmErrUVD", "Battery voltage is too low", "电池欠压"},
    {"lblfrmErrOVD", "Battery voltage is too high", "电池过压"},
    {"lblfrmErrOHD", "The controller is over heat", "控制器过热"},
    {"lblfrmErrOIacD", "The controller is over current", "控制器过流"},
    {"lblfrmErrDQtimeD", "Heavy load run time out", "控制器过载"},
    {"lblfrmErrLockMD", "Motor lock time out", "电机堵转超时"},
    {"lblfrmErrMOHD", "The motor is over heat", "电机过热"},
    {"lblfrmErrMSOpenD", "The motor thermistor is open", "电机电阻开路"},
    {"lblfrmErrMSShortD", "The motor thermistor is short", "电机电阻短路"},
    {"lblfrmErrBMSD", "BMS error stop", "BMS故障停止"},
    {"cmdBasic", "Basic", "基本参数"},
    {"cmdReference", "Reference", "指令值参数"},
    {"cmdMotor", "Motor", "电机参数"},
    {"cmdContorl", "Control", "控制参数"},
    {"cmddqPID", "Torque PID", "力矩参数"},
    {"cmdProtection", "Protection", "保护设置"},
    {"cmdOther", "Other", "其他参数"},
    {"cmdFluxWeaken", "Flux weaken", "弱磁控制"},
    {"cmdIdcCalib", "DC current calbiration", "硬件参数"},
    {"cmdDerate", "Derate", "降载设置"},
    {"cmdModeSet", "ModeSet", "档位设置"},
    {"cmd_halltest", "Hall A test", "霍尔A标定"},
    {"cmd_hallBtest", "Hall B test", "霍尔B标定"},
    {"cmd_hallteststop", "Stop hall test", "停止霍尔标定"},
    {"cmdIacCalib", "AC current calibration", "老化控制"},
    {"cmdRecord", "Data record", "数据记录"},
    {"cmdRecordStop", "Stop record", "停止记录"},
    {"cmdOpenRec", "Open record", "打开记录文件"},
    // These keep their design captions in both languages.
    {"Menu_Option_UserInfo", "UserInfo(&U)", "UserInfo(&U)"},
    {"Menu_Lang", "Language(&L)", "Language(&L)"},
    {"Menu_Lang_Chs", "中文", "中文"},
    {"Menu_Lang_Eng", "English", "English"},
    {"cmd_SetFactory", "Factory set", "Factory set"},
    {"cmd_ResetDefaults", "Factory Restore", "Factory Restore"},
};

QString captionOf(QObject *o)
{
    if (auto *l = qobject_cast<QLabel *>(o))
        return l->text();
    if (auto *b = qobject_cast<QPushButton *>(o))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(o))
        return g->title();
    if (auto *m = qobject_cast<QMenu *>(o))
        return m->title();
    if (auto *a = qobject_cast<QAction *>(o))
        return a->text();
    return QStringLiteral("<%1>").arg(QString::fromLatin1(o->metaObject()->className()));
}

struct Bench : MainWindowBench
{
    QStringList mismatches(bool chinese)
    {
        QStringList bad;
        for (const Caption &c : kCaptions) {
            QObject *o = window->findChild<QObject *>(QLatin1String(c.name));
            const QString expected = QString::fromUtf8(chinese ? c.chinese : c.english);
            const QString got = o ? captionOf(o) : QStringLiteral("<missing>");
            if (got != expected)
                bad << QStringLiteral("%1: \"%2\" instead of \"%3\"").arg(c.name, got, expected);
        }
        return bad;
    }
};
} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { installChineseTranslator(false); }
    void startsInEnglish();
    void chineseAndBack();
    void otherCodesChangeNothing();
    void menuMnemonicsCanBeTyped_data();
    void menuMnemonicsCanBeTyped();
    void connectionLabel_data();
    void connectionLabel();
    void contactDialog_data();
    void contactDialog();
    void acknowledgementFollowsTheMenu();
    void aboutBoxAndDataFolder_data();
    void aboutBoxAndDataFolder();
    void everyShownTextIsChinese_data();
    void everyShownTextIsChinese();
};

void TestLanguage::startsInEnglish()
{
    Bench b;
    QCOMPARE(b.state.language.languageCode, 22);
    QCOMPARE(b.mismatches(false), QStringList{});
    QCOMPARE(b.window->windowTitle(), QStringLiteral("EV Kestrane V2.0.0.10.1"));
}

void TestLanguage::chineseAndBack()
{
    Bench b;
    b.window->findChild<QAction *>("Menu_Lang_Chs")->trigger();
    QCOMPARE(b.state.language.languageCode, 11);
    QCOMPARE(b.mismatches(true), QStringList{});
    QCOMPARE(b.window->windowTitle(), QStringLiteral("EV Kestrane V2.0.0.10.1"));
    QVERIFY(b.window->findChild<QLabel *>("lblPortStatus")->text().contains(QStringLiteral("端口状态：")));

    b.window->findChild<QAction *>("Menu_Lang_Eng")->trigger();
    QCOMPARE(b.state.language.languageCode, 22);
    QCOMPARE(b.mismatches(false), QStringList{});
    QVERIFY(b.window->findChild<QLabel *>("lblPortStatus")->text().contains(QStringLiteral("I/O STATUS:")));
}

void TestLanguage::menuMnemonicsCanBeTyped_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("en") << int(LanguageCode::English);
    QTest::newRow("zh") << int(LanguageCode::Chinese);
}

// Alt and the marked key open a menu or pick an entry: the key must be one
// a keyboard has, in either language.
void TestLanguage::menuMnemonicsCanBeTyped()
{
    QFETCH(int, language);
    Bench b;
    b.window->applyLanguage(language);
    int marked = 0;
    for (QAction *a : b.window->findChildren<QAction *>()) {
        const QString t = a->text();
        const qsizetype at = t.indexOf(u'&');
        if (at < 0 || t.mid(at, 2) == QStringLiteral("&&"))
            continue;
        ++marked;
        QVERIFY2(at + 1 < t.size() && t.at(at + 1).isLetterOrNumber() && t.at(at + 1).unicode() < 128,
                 qPrintable(a->objectName() + QStringLiteral(": ") + t));
    }
    QVERIFY(marked >= 8);
}

void TestLanguage::otherCodesChangeNothing()
{
    Bench b;
    b.window->applyLanguage(11);
    b.window->applyLanguage(33);
    QCOMPARE(b.state.language.languageCode, 11);
    QCOMPARE(b.mismatches(true), QStringList{});
}

void TestLanguage::connectionLabel_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("online");
    QTest::addColumn<QString>("text");
    QTest::newRow("english offline") << 22 << false << "OFFLINE";
    QTest::newRow("chinese offline") << 11 << false << "控制器未连接";
    QTest::newRow("chinese online") << 11 << true << "控制器已连接";
    QTest::newRow("english online") << 22 << true << "ONLINE";
}

void TestLanguage::connectionLabel()
{
    QFETCH(int, code);
    QFETCH(bool, online);
    QFETCH(QString, text);
    Bench b;
    b.state.connection.linkState = online ? 7 : 3;
    b.window->applyLanguage(code);
    QCOMPARE(b.window->findChild<QLabel *>("lblWelCom1")->text(), text);
}

void TestLanguage::contactDialog_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("title");
    QTest::newRow("english") << 22 << "Contact us";
    QTest::newRow("chinese") << 11 << "联系我们";
}

void TestLanguage::contactDialog()
{
    QFETCH(int, code);
    QFETCH(QString, title);
    Bench b;
    b.window->applyLanguage(code);
    b.window->findChild<QAction *>("Menu_Help_Cont")->trigger();
    auto *dialog = b.window->findChild<QDialog *>("frmContUs");
    QVERIFY(dialog);
    QVERIFY(dialog->isModal());
    QCOMPARE(dialog->windowTitle(), title);
    QVERIFY(dialog->findChild<QLabel *>("lblContMail")->text().contains(QStringLiteral("mailto:")));
    dialog->close();
}

void TestLanguage::acknowledgementFollowsTheMenu()
{
    Bench b;
    b.link.openPort();
    b.window->applyLanguage(11);
    b.line.deliver(toByteArray(makeBlock({0xF0, 0xE1})));
    b.window->applyLanguage(22);
    b.line.deliver(toByteArray(makeBlock({0xF0, 0xE1})));
    QCOMPARE(b.messages.texts(), (QStringList{"基本参数设置成功！", "Basic set successfull!"}));
}

void TestLanguage::aboutBoxAndDataFolder_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("savedIn");
    QTest::newRow("english") << 22 << "About Kestrane" << "Motor controller service tool"
                             << "Records are saved in ";
    QTest::newRow("chinese") << 11 << "关于 Kestrane" << "电机控制器维护工具" << "记录保存在 ";
}

void TestLanguage::aboutBoxAndDataFolder()
{
    QFETCH(int, code);
    QFETCH(QString, title);
    QFETCH(QString, what);
    QFETCH(QString, savedIn);
    Bench b;
    b.window->applyLanguage(code);
    const QString where = savedIn + QDir::toNativeSeparators(b.window->dataFolder().writableDir());
    QVERIFY(!b.window->dataFolder().writableDir().isEmpty());

    b.window->findChild<QAction *>("Menu_Help_About")->trigger();
    QCOMPARE(b.messages.shown.size(), 1);
    const MessageService::Message &m = b.messages.shown.first().message;
    QCOMPARE(m.icon, MessageService::Icon::Information);
    QCOMPARE(m.title, title);
    QCOMPARE(m.text, QStringLiteral("Kestrane %1\n%2\n\n%3").arg(buildinfo::versionString(), what, where));

    // The status bar says the same, in the same language; the record buttons
    // name the log itself.
    QCOMPARE(b.window->statusBar()->toolTip(), where);
    QVERIFY(b.button("cmdRecord")->toolTip().contains(QStringLiteral("Realtimedata.txt")));
}


namespace {
// Every text a window shows, by widget and kind (item texts of lists too).
QMap<QString, QString> shownTexts(QWidget *window)
{
    QMap<QString, QString> texts;
    auto add = [&texts](QObject *o, const QString &kind, const QString &text) {
        QString t = text;
        t.remove(u'&');
        texts.insert(QStringLiteral("%1/%2:%3").arg(o->objectName(), kind).arg(quintptr(o)), t.trimmed());
    };
    add(window, QStringLiteral("title"), window->windowTitle());
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isHidden())
            continue;
        if (auto *l = qobject_cast<QLabel *>(w))
            add(l, QStringLiteral("text"), l->text());
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(b, QStringLiteral("text"), b->text());
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            add(g, QStringLiteral("title"), g->title());
        else if (auto *c = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < c->count(); ++i)
                add(c, QStringLiteral("item%1").arg(i), c->itemText(i));
        }
    }
    return texts;
}

// The texts the translation keeps in English on purpose (the same text in
// both columns of the .ts file).
QSet<QString> deliberatelyEnglish()
{
    QSet<QString> same;
    QFile file(QStringLiteral(KESTRANE_SOURCE_DIR "/i18n/kestrane_zh_CN.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return same;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") && xml.readElementText() == source)
            same << QString(source).remove(u'&').trimmed();
    }
    return same;
}

// Texts of the system that exist only in English: the windows without a
// caption routine, the captions the tables leave untranslated, the worksheet
// of the Idc page, the level words, the port names and the numbers.
bool englishOnly(const QString &window, const QString &text)
{
    static const QStringList kWindows{"frmIacCalib", "frmUserInfo", "frmHallTest", "frmTime"};
    if (kWindows.contains(window))
        return true;
    static const QRegularExpression kNoWords(QStringLiteral("^[^A-Za-z]*$"));
    static const QRegularExpression kUnit(QStringLiteral("^\\[[^\\]]*\\]$"));
    if (kNoWords.match(text).hasMatch() || kUnit.match(text).hasMatch())
        return true;
    static const QStringList kTexts{
        "Control", "cType", "TempM at W0", "TempM at W1", "MLK turnp[Deg]", "Actual Idc[A]", "Idc ADC Value",
        "Idc Factor", "DC current 1", "DC current 2", "DC current 3", "Specify CW", "Calc", "Reset count",
        "Idc Calib", "H", "L", "OK", "NG", "EV Kestrane V2.0.0.10.1", "Language", "UserInfo(U)", "UserInfo",
        "English", "Curve",
        // Motor rows whose meaning follows the controller type keep their
        // design captions while the type is not known.
        "Dec at high sp", "Hall noise pulse", "Hall Group", "Hall B 1 remap", "Hall B 2 remap", "Hall B 3 remap",
        "Hall B 4 remap", "Hall B 5 remap", "Hall B 6 remap"};
    return kTexts.contains(text) || text.startsWith(QLatin1String("COM - "));
}
} // namespace

void TestLanguage::everyShownTextIsChinese_data()
{
    QTest::addColumn<int>("page"); // -1: the main window
    QTest::newRow("frmMain") << -1;
    for (const PageDef &p : allPages())
        QTest::newRow(p.window) << int(p.id);
}

// Switched to Chinese, a window shows no English text that the system does
// not keep in English itself.
void TestLanguage::everyShownTextIsChinese()
{
    QFETCH(int, page);
    MainWindowBench b;
    QWidget *w = page < 0 ? b.window.get() : b.window->pages()->ensurePage(PageId(page));
    QVERIFY(w);
    const QMap<QString, QString> english = shownTexts(w);
    b.window->applyLanguage(LanguageCode::Chinese);
    QCoreApplication::processEvents();
    const QMap<QString, QString> chinese = shownTexts(w);
    const QSet<QString> kept = deliberatelyEnglish();
    QStringList untranslated;
    for (auto it = chinese.cbegin(); it != chinese.cend(); ++it) {
        const QString &text = it.value();
        if (text != english.value(it.key()) || kept.contains(text) || englishOnly(w->objectName(), text))
            continue;
        untranslated << QStringLiteral("%1 \"%2\"").arg(it.key().section(u':', 0, 0), text);
    }
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
