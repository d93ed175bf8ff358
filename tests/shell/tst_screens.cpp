// The windows on a 1366x768 laptop screen, in both languages: every page
// fits with its frame and a taskbar, opens beside the button bar, and the main
// window keeps one size. Each window is also grabbed into build/screens/ to
// be looked at.

#include "laptopscreen.h"
#include "mainwindowbench.h"
#include "core/language.h"
#include "monitor/statusdecoder.h"
#include "pages/ui/pagenavigator.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "widgets/qtmessageservice.h"

namespace {
// A title bar of about 30 px and a 40 px taskbar leave 768 - 70 - margins.
constexpr int kMaxPageHeight = 640;
constexpr int kTitleBar = 32;

QString shotPath(const QString &name)
{
    const QString dir = QStringLiteral(KESTRANE_BUILD_DIR "/screens");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name + QStringLiteral(".png");
}

QString languageTag(int code)
{
    return code == LanguageCode::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
}
} // namespace

class TestScreens : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { installChineseTranslator(false); }
    void everyPageFitsTheScreen_data();
    void everyPageFitsTheScreen();
    void pagesOpenBesideTheButtonBar();
    void mainWindowKeepsItsSize();
    void standardButtonsFollowTheLanguage();
    void nothingKnownBeforeTheFirstBlock();
    void connectionShownInWords();
    void faultTableStaysInPlace();
};

void TestScreens::everyPageFitsTheScreen_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("page");
    for (int code : {LanguageCode::English, LanguageCode::Chinese}) {
        for (const PageDef &p : allPages()) {
            QTest::addRow("%s %s", p.window, qPrintable(languageTag(code)))
                << code << int(p.id);
        }
    }
}

void TestScreens::everyPageFitsTheScreen()
{
    QFETCH(int, language);
    QFETCH(int, page);
    MainWindowBench b;
    b.window->resize(b.window->size());
    if (language == LanguageCode::Chinese)
        b.window->applyLanguage(language);
    QWidget *w = b.window->pages()->ensurePage(PageId(page));
    if (!w)
        QSKIP("the tool has no window for this page yet");
    w->adjustSize();
    const QSize hint = w->sizeHint();
    w->grab().save(shotPath(w->objectName() + QLatin1Char('-') + languageTag(language)));
    QVERIFY2(hint.height() + kTitleBar <= kMaxPageHeight,
             qPrintable(QStringLiteral("%1 is %2 px tall").arg(w->objectName()).arg(hint.height())));
    QVERIFY2(hint.width() <= 1366 - 200,
             qPrintable(QStringLiteral("%1 is %2 px wide").arg(w->objectName()).arg(hint.width())));
}

void TestScreens::pagesOpenBesideTheButtonBar()
{
    MainWindowBench b;
    b.window->move(0, 0);
    b.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.window.get()));
    QWidget *bar = b.window->findChild<QWidget *>(QStringLiteral("buttonBar"));
    QVERIFY(bar);
    const QRect barRect(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    b.window->pages()->cmdReference_Click();
    QWidget *page = b.window->pages()->page(PageId::Reference);
    QVERIFY(page && page->isVisible());
    QVERIFY2(page->frameGeometry().left() >= barRect.right(),
             qPrintable(QStringLiteral("page at x %1, bar ends at %2")
                            .arg(page->frameGeometry().left()).arg(barRect.right())));
    // Every bar button stays clickable: its centre is not under the page.
    for (QPushButton *button : bar->findChildren<QPushButton *>()) {
        if (!button->isVisible())
            continue;
        const QPoint centre = button->mapToGlobal(button->rect().center());
        QVERIFY2(!page->frameGeometry().contains(centre), qPrintable(button->objectName()));
    }
    // Moved by the user, closed, opened again: where the user left it.
    page->move(page->pos() + QPoint(30, 20));
    const QPoint moved = page->pos();
    page->close();
    QCoreApplication::processEvents();
    b.window->pages()->cmdReference_Click();
    QCOMPARE(b.window->pages()->page(PageId::Reference)->pos(), moved);

    b.window->grab().save(shotPath(QStringLiteral("main-en")));
}

void TestScreens::mainWindowKeepsItsSize()
{
    MainWindowBench b;
    b.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.window.get()));
    const QSize english = b.window->size();
    QVERIFY2(english.height() + kTitleBar + 40 <= 768,
             qPrintable(QStringLiteral("%1 px tall").arg(english.height())));
    b.window->applyLanguage(LanguageCode::Chinese);
    QCoreApplication::processEvents();
    QCOMPARE(b.window->size(), english);
    b.window->grab().save(shotPath(QStringLiteral("main-zh")));
    b.window->applyLanguage(LanguageCode::English);
    b.window->applyLanguage(LanguageCode::Chinese);
    b.window->applyLanguage(LanguageCode::English);
    QCoreApplication::processEvents();
    QCOMPARE(b.window->size(), english);
}

void TestScreens::standardButtonsFollowTheLanguage()
{
    AppState state;
    QVERIFY(setLanguage(state.language, LanguageCode::Chinese));
    QtMessageService service;
    QWidget parent;
    service.setParentWidget(&parent);
    service.info(QStringLiteral("x"));
    auto *box = parent.findChild<QMessageBox *>();
    QVERIFY(box);
    QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    box->close();
    QVERIFY(setLanguage(state.language, LanguageCode::English));
    service.info(QStringLiteral("y"));
    const auto boxes = parent.findChildren<QMessageBox *>();
    QVERIFY(!boxes.isEmpty());
    QCOMPARE(boxes.last()->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
}

void TestScreens::nothingKnownBeforeTheFirstBlock()
{
    MainWindowBench b;
    for (const FaultRow &row : kFaultRows) {
        for (const char *cell : {row.currentCell, row.historyCell}) {
            QCOMPARE(b.label(cell)->text(), QStringLiteral("-"));
            QCOMPARE(b.label(cell)->property("foreColor").toInt(), kColorBlackBgr);
        }
    }
    QCOMPARE(b.label("lblHallGroup")->text(), QStringLiteral("***"));
    QCOMPARE(b.label("lblfrmSysStatusVdc_a")->text(), QStringLiteral("***"));
    b.goOnline();
    QCOMPARE(b.label(kFaultRows[0].currentCell)->text(), QStringLiteral("OK"));
    QCOMPARE(b.label(kFaultRows[0].currentCell)->property("foreColor").toInt(), kColorGreenBgr);
    QVERIFY(b.label("lblfrmSysStatusVdc_a")->text() != QStringLiteral("***"));
}

void TestScreens::connectionShownInWords()
{
    MainWindowBench b;
    QLabel *words = b.label("lblWelCom1");
    QWidget *dot = b.window->findChild<QWidget *>(QStringLiteral("ShapeWelCom1"));
    QVERIFY(!words->isHidden());
    b.ticks(1);
    QCOMPARE(words->text(), QStringLiteral("OFFLINE"));
    QCOMPARE(dot->accessibleName(), QStringLiteral("OFFLINE"));
    b.goOnline();
    QCOMPARE(words->text(), QStringLiteral("ONLINE"));
    QCOMPARE(dot->accessibleName(), QStringLiteral("ONLINE"));
    b.window->applyLanguage(LanguageCode::Chinese);
    b.ticks(1);
    QCOMPARE(words->text(), QStringLiteral("控制器已连接"));
    QCOMPARE(dot->accessibleName(), QStringLiteral("控制器已连接"));
    b.window->applyLanguage(LanguageCode::English);
}

// A fault that comes or goes shows its description; nothing else moves.
void TestScreens::faultTableStaysInPlace()
{
    MainWindowBench b;
    b.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.window.get()));
    b.goOnline();
    QCoreApplication::processEvents();
    auto places = [&b] {
        QList<QRect> r;
        for (const FaultRow &row : kFaultRows)
            r << b.label(row.nameLabel)->geometry() << b.label(row.currentCell)->geometry();
        r << b.label("lblCurrent")->geometry() << b.window->findChild<QWidget *>(QStringLiteral("frmErrCode"))->geometry();
        return r;
    };
    const QList<QRect> before = places();
    // Current error word 0x0400: hall fault, its description and the title.
    b.status({0xDF, 0xEF, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0x00, 0x04});
    QCoreApplication::processEvents();
    QVERIFY(b.label("lblErrTitle")->isVisible());
    QCOMPARE(places(), before);
    b.window->grab().save(shotPath(QStringLiteral("main-fault-en")));
    // Offline: the last values greyed, the time of the last block beside.
    b.ticks(21);
    QCoreApplication::processEvents();
    QCOMPARE(places(), before);
    b.window->grab().save(shotPath(QStringLiteral("main-offline-en")));
    b.window->applyLanguage(LanguageCode::Chinese);
    QCoreApplication::processEvents();
    b.window->grab().save(shotPath(QStringLiteral("main-offline-zh")));
}

KESTRANE_LAPTOP_SCREEN_MAIN(TestScreens)
#include "tst_screens.moc"
