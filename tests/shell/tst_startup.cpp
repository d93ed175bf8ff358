// Start-up helpers: the style that reads the overflow arrows only when they
// are drawn, and the warm-up thread.

#include "shell/startupwarmup.h"
#include "widgets/lazyiconstyle.h"

#include <QApplication>
#include <QCommonStyle>
#include <QMenuBar>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QToolButton>

namespace {

// Counts how often the overflow arrows are asked of it.
class CountingStyle : public QCommonStyle
{
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
            ++arrowsRead;
        return QCommonStyle::standardIcon(which, option, widget);
    }
    mutable int arrowsRead = 0;
};

QImage imageOf(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void iconsAreTheBaseStylesIcons_data();
    void iconsAreTheBaseStylesIcons();
    void menuBarDoesNotReadItsArrowUntilDrawn();
    void iconOutlivingItsStyleIsEmpty();
    void warmUpEndsWhateverHappened_data();
    void warmUpEndsWhateverHappened();
};

void TestStartup::iconsAreTheBaseStylesIcons_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::newRow("horizontal arrow") << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::LeftToRight;
    QTest::newRow("horizontal arrow, right to left")
        << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::RightToLeft;
    QTest::newRow("vertical arrow") << int(QStyle::SP_ToolBarVerticalExtensionButton) << Qt::LeftToRight;
    QTest::newRow("any other icon, passed through") << int(QStyle::SP_DialogOkButton) << Qt::LeftToRight;
}

void TestStartup::iconsAreTheBaseStylesIcons()
{
    QFETCH(int, which);
    QFETCH(Qt::LayoutDirection, direction);
    const auto pixmap = QStyle::StandardPixmap(which);
    std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
    LazyIconStyle lazy(QStyleFactory::create(QStringLiteral("Fusion")));
    QStyleOption option;
    option.direction = direction;

    const QIcon expected = plain->standardIcon(pixmap, &option);
    const QIcon icon = lazy.standardIcon(pixmap, &option);
    QVERIFY(!icon.isNull());
    QCOMPARE(imageOf(icon), imageOf(expected));
    QCOMPARE(icon.actualSize(QSize(64, 64)), expected.actualSize(QSize(64, 64)));
}

void TestStartup::menuBarDoesNotReadItsArrowUntilDrawn()
{
    auto *counting = new CountingStyle;
    QApplication::setStyle(new LazyIconStyle(counting));
    QMenuBar bar;
    bar.addMenu(QStringLiteral("File"));
    QCOMPARE(counting->arrowsRead, 0);

    auto *arrow = bar.findChild<QToolButton *>();
    QVERIFY(arrow);
    QVERIFY(!arrow->icon().isNull());
    QCOMPARE(counting->arrowsRead, 0);
    const QImage first = imageOf(arrow->icon());
    QVERIFY(!first.isNull());
    QCOMPARE(counting->arrowsRead, 1);
    // Read once, however often it is drawn.
    QCOMPARE(imageOf(arrow->icon()), first);
    QCOMPARE(counting->arrowsRead, 1);
}

void TestStartup::iconOutlivingItsStyleIsEmpty()
{
    QIcon icon;
    {
        LazyIconStyle style(new QCommonStyle);
        icon = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    }
    // The style that would have read it is gone: nothing to draw, no crash.
    QVERIFY(icon.isNull());
    QVERIFY(icon.pixmap(QSize(16, 16)).isNull());
}

void TestStartup::warmUpEndsWhateverHappened_data()
{
    QTest::addColumn<int>("applicationMadeCalls");
    QTest::addColumn<bool>("finishFirst");
    QTest::newRow("start-up ended before the application object") << 0 << false;
    QTest::newRow("normal start") << 1 << true;
    QTest::newRow("told twice, finished by its destructor") << 2 << false;
}

void TestStartup::warmUpEndsWhateverHappened()
{
    QFETCH(int, applicationMadeCalls);
    QFETCH(bool, finishFirst);
    // With or without a session bus (none in CI): the thread ends and the
    // destructor returns.
    StartupWarmUp warmUp;
    for (int i = 0; i < applicationMadeCalls; ++i)
        warmUp.applicationMade();
    if (finishFirst) {
        warmUp.finish();
        warmUp.finish();
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
