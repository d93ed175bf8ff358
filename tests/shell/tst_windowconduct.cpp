// How the windows behave towards each other on a 1366x768 laptop, with the
// real message boxes: every box lands on the window it is about, above it,
// with the keyboard; a running motor test stays on top; pages open beside
// the live status and cascade; Tab follows the screen; Enter and Escape work.

#include "laptopscreen.h"

#include "calib/ui/halltestwindow.h"
#include "calib/ui/iqtestrun.h"
#include "core/appstate.h"
#include "core/language.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "pages/ui/pagenavigator.h"
#include "shell/mainwindow.h"
#include "widgets/qtmessageservice.h"
#include "widgets/windowconduct.h"

#include "fakeport.h"
#include "recordingsound.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace {
struct Bench
{
    AppState state;
    QtMessageService boxes;
    RecordingSound sounds;
    FakeLine line;
    LinkController link{state.connection, state.language, boxes};
    std::unique_ptr<MainWindow> window;
    QDateTime now{QDate(2026, 12, 8), QTime(9, 0, 0)};

    explicit Bench(int language = LanguageCode::English)
    {
        link.setPortFactory(line.factory());
        window = std::make_unique<MainWindow>(state, link, boxes);
        boxes.setParentWidget(window.get());
        window->setQuitFunction([] {});
        window->setSoundPlayer(&sounds);
        window->setClock([this] { return now; });
        window->move(0, 0);
        window->show();
        if (language != LanguageCode::English)
            window->applyLanguage(language);
        window->openPortAtStart(QStringLiteral("/dev/ttyFAKE"), QStringLiteral("9600,n,8,1"));
        window->linkTimer()->stop();
        ticks(10);
        status({0xDF, 0xEF});
        ticks(1);
        QApplication::processEvents();
    }
    ~Bench() { closeBoxes(); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            window->Timer3_Timer();
    }
    void reply(std::initializer_list<quint8> head) { line.deliver(toByteArray(makeBlock(head))); }
    void status(std::initializer_list<quint8> head) { reply(head); }
    QWidget *open(PageId id)
    {
        window->pages()->open(id);
        QWidget *w = window->pages()->page(id);
        if (w)
            (void)QTest::qWaitForWindowExposed(w); // a page that is not exposed fails its own checks
        return w;
    }
    static QList<QMessageBox *> openBoxes()
    {
        QList<QMessageBox *> shown;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                shown << box;
        return shown;
    }
    static void closeBoxes()
    {
        for (QMessageBox *box : openBoxes())
            box->done(QMessageBox::Ok);
        QApplication::processEvents();
    }
};

QRect globalRect(const QWidget *w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

// Tab never jumps back: along a row to the right, down, or up only into a
// column to the right (rows share half the smaller height).
bool readsBefore(const QRect &a, const QRect &b)
{
    const int overlap = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
    if (overlap * 2 >= std::min(a.height(), b.height()))
        return a.left() < b.left();
    return b.top() > a.top() || b.left() >= a.right() - 4;
}

// The children of the nearest common ancestor that hold a and b.
std::pair<QWidget *, QWidget *> divergingCells(QWidget *a, QWidget *b)
{
    QList<QWidget *> up;
    for (QWidget *w = a; w; w = w->parentWidget())
        up.prepend(w);
    QList<QWidget *> upB;
    for (QWidget *w = b; w; w = w->parentWidget())
        upB.prepend(w);
    int i = 0;
    while (i < up.size() && i < upB.size() && up[i] == upB[i])
        ++i;
    return {up.value(i, a), upB.value(i, b)};
}
} // namespace

class TestWindowConduct : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void acknowledgementOverThePageThatWrote_data();
    void acknowledgementOverThePageThatWrote();
    void messagesOfAMotorTest();
    void pagePlacement_data();
    void pagePlacement();
    void tabOrderFollowsTheScreen_data();
    void tabOrderFollowsTheScreen();
    void enterAndEscape();
};

void TestWindowConduct::initTestCase()
{
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1366, 768));
}

void TestWindowConduct::acknowledgementOverThePageThatWrote_data()
{
    QTest::addColumn<int>("page");
    for (const PageDef &p : allPages()) {
        if (p.family != FrameId::None && findFamily(p.family) && findFamily(p.family)->ackText && p.table)
            QTest::newRow(p.window) << int(p.id);
    }
}

// The box of a write's acknowledgement belongs to the page, is the active
// window with its OK focused, Enter closes it and the page has the keyboard
// again.
void TestWindowConduct::acknowledgementOverThePageThatWrote()
{
    QFETCH(int, page);
    Bench b;
    const PageDef &def = pageDef(PageId(page));
    QWidget *w = b.open(def.id);
    QVERIFY(w);
    // Owned: a transient dialog window of the main window, kept above it.
    QCOMPARE(w->parentWidget(), b.window.get());
    QCOMPARE(w->windowType(), Qt::Dialog);
    QCOMPARE(w->windowHandle()->transientParent(), b.window->windowHandle());
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    const BlockFamily *family = findFamily(def.family);
    if (family->qualifier)
        b.reply({family->command(), family->writeCode, family->qualifier});
    else
        b.reply({family->command(), family->writeCode});
    QTRY_COMPARE(Bench::openBoxes().size(), 1);
    QMessageBox *box = Bench::openBoxes().first();
    QCOMPARE(box->parentWidget(), w);
    QTRY_COMPARE(QApplication::activeWindow(), box);
    QVERIFY(box->button(QMessageBox::Ok)->hasFocus());
    QTest::keyClick(box->button(QMessageBox::Ok), Qt::Key_Return);
    QTRY_VERIFY(Bench::openBoxes().isEmpty());
    QTRY_COMPARE(QApplication::activeWindow(), w);
}

// The hall warning goes to the window in use, a hall test window is above
// everything while the motor turns and its boxes are above it; the Iq run
// and its page stay on top until the run stops, and the heating alert and
// the run's messages belong to them.
void TestWindowConduct::messagesOfAMotorTest()
{
    Bench b;
    b.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.window.get()));
    b.reply({0xFF, 0xFE}); // hall test refused
    QTRY_COMPARE(Bench::openBoxes().size(), 1);
    QCOMPARE(Bench::openBoxes().first()->parentWidget(), b.window.get());
    Bench::closeBoxes();

    b.reply({0xFF, 0xFD}); // group A under test
    QWidget *hall = b.window->hallTest()->window();
    QVERIFY(hall && hall->isVisible());
    QVERIFY(isMotorTestWindow(hall));
    b.reply({0xFF, 0xFE});
    QTRY_COMPARE(Bench::openBoxes().size(), 1);
    QMessageBox *box = Bench::openBoxes().first();
    QCOMPARE(box->parentWidget(), hall);
    QVERIFY(isMotorTestWindow(box));
    QTRY_COMPARE(QApplication::activeWindow(), box);
    Bench::closeBoxes();
    b.window->hallTest()->cmd_hallteststop_Click();

    auto *iac = b.open(PageId::IacCalib);
    QVERIFY(iac);
    iac->findChild<QPushButton *>(QStringLiteral("cmdIq3"))->click();
    QVERIFY(b.state.iqTest.iqTestRunning);
    QWidget *time = b.window->iqTestRun()->timeWindow();
    QVERIFY(time && time->isVisible());
    QCOMPARE(time->windowHandle()->transientParent(), b.window->windowHandle());
    QVERIFY(isMotorTestWindow(time));
    QVERIFY(isMotorTestWindow(iac));
    // A page opened during the run (one that leaves the Iac page open) is
    // not above it.
    QVERIFY(!isMotorTestWindow(b.open(PageId::Motor)));
    b.state.iqTest.iqTestStartTime = b.now.addSecs(-187);
    b.status({0xDF, 0xEF, 0, 0, 0, 0, 0, 0, 110});
    QTRY_COMPARE(Bench::openBoxes().size(), 1);
    box = Bench::openBoxes().first();
    QCOMPARE(box->text(), QStringLiteral("Time to 100 Degree:03:07"));
    QCOMPARE(box->parentWidget(), time);
    QVERIFY(isMotorTestWindow(box));
    Bench::closeBoxes();
    iac->findChild<QPushButton *>(QStringLiteral("cmdStop"))->click();
    QVERIFY(!b.state.iqTest.iqTestRunning);
    QVERIFY(!isMotorTestWindow(time));
    QVERIFY(!isMotorTestWindow(iac));
    QVERIFY(time->isVisible() && iac->isVisible());
}

void TestWindowConduct::pagePlacement_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("page");
    for (int code : {LanguageCode::English, LanguageCode::Chinese}) {
        for (const PageDef &p : allPages()) {
            if (!p.modal)
                QTest::addRow("%s %s", p.window, code == LanguageCode::English ? "en" : "zh") << code << int(p.id);
        }
    }
}

// Inside the screen, right of the main window when it fits, never over the
// bar or the connection indicator; a page opened where another one is
// cascades.
void TestWindowConduct::pagePlacement()
{
    QFETCH(int, language);
    QFETCH(int, page);
    Bench b(language);
    const QRect screen = b.window->screen()->availableGeometry();
    const QRect main = b.window->frameGeometry();
    const QRect bar = globalRect(b.window->findChild<QWidget *>(QStringLiteral("buttonBar")));
    QRect indicator;
    for (const char *name : {"ShapeWelCom1", "lblWelCom1", "txtMaxTime"})
        indicator |= globalRect(b.window->findChild<QWidget *>(QLatin1String(name)));
    // The Derate page is never closed by another page's button.
    QWidget *first = b.open(PageId::Derate);
    QWidget *w = b.open(PageId(page));
    QVERIFY(first && w);
    QApplication::processEvents();
    for (QWidget *p : {first, w}) {
        const QRect frame = p->frameGeometry();
        const QString where = QStringLiteral("%1 at %2,%3 %4x%5")
                                  .arg(p->objectName()).arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
        QVERIFY2(screen.contains(frame), qPrintable(where));
        QVERIFY2(!frame.intersects(bar), qPrintable(where));
        QVERIFY2(!frame.intersects(indicator), qPrintable(where));
        if (frame.width() < screen.right() - main.right())
            QVERIFY2(!frame.intersects(main), qPrintable(where));
    }
    if (w != first)
        QVERIFY(w->pos() != first->pos());
}

void TestWindowConduct::tabOrderFollowsTheScreen_data()
{
    pagePlacement_data();
}

// Every box and button of the page once, in reading order: row by row, left
// to right, a group before the next one.
void TestWindowConduct::tabOrderFollowsTheScreen()
{
    QFETCH(int, language);
    QFETCH(int, page);
    Bench b(language);
    QWidget *w = b.open(PageId(page));
    QVERIFY(w);
    const QList<QWidget *> chain = tabChain(w);
    int stops = 0;
    for (QWidget *c : w->findChildren<QWidget *>()) {
        if ((c->focusPolicy() & Qt::TabFocus) && c->isVisible() && c->isEnabled() && !c->isWindow()
            && !qobject_cast<QLineEdit *>(c->parentWidget()) && c->window() == w && !c->focusProxy()) {
            bool inner = false; // a combo box's own line edit
            for (QWidget *p = c->parentWidget(); p != w; p = p->parentWidget())
                inner = inner || (p->focusPolicy() & Qt::TabFocus);
            if (!inner) {
                ++stops;
                QVERIFY2(chain.contains(c), qPrintable(c->objectName()));
            }
        }
    }
    QVERIFY(stops > 0);
    for (int i = 1; i < chain.size(); ++i) {
        const auto [a, c] = divergingCells(chain[i - 1], chain[i]);
        QVERIFY2(readsBefore(globalRect(a), globalRect(c)),
                 qPrintable(QStringLiteral("%1 -> %2").arg(chain[i - 1]->objectName(), chain[i]->objectName())));
    }
}

// Enter on a focused button presses it; Escape closes the page.
void TestWindowConduct::enterAndEscape()
{
    Bench b;
    QWidget *basic = b.open(PageId::Basic);
    basic->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(basic));
    auto *read = basic->findChild<QPushButton *>(QStringLiteral("cmdread"));
    read->setFocus();
    b.line.writes.clear();
    b.link.requests().expire();
    int clicks = 0;
    connect(read, &QPushButton::clicked, this, [&clicks] { ++clicks; });
    QTest::keyClick(read, Qt::Key_Return);
    QTest::keyClick(read, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicks, 2);
    QLineEdit *box = basic->findChild<QLineEdit *>();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Escape);
    QTRY_VERIFY(!b.window->pages()->page(PageId::Basic));
}

KESTRANE_LAPTOP_SCREEN_MAIN(TestWindowConduct)
#include "tst_windowconduct.moc"
