// A value label must look exactly like a plain label in its place: the
// same pixels, whatever its text, font, colour, alignment or state.

#include "core/appstate.h"
#include "paintlog.h"
#include "monitor/statusdecoder.h"
#include "monitor/ui/statuspanel.h"
#include "widgets/fonts.h"
#include "widgets/valuelabel.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTest>

class TestValueLabel : public QObject
{
    Q_OBJECT
private slots:
    void samePixelsAsPlainLabel_data();
    void samePixelsAsPlainLabel();
    void newTextRepaintsOnlyItself();
};

namespace {
// Two group boxes side by side, each with one label at the same place: a
// plain one on the left, a value label on the right.
struct Pair
{
    QWidget window;
    QGroupBox *plainBox = nullptr;
    QGroupBox *valueBox = nullptr;
    QLabel *plain = nullptr;
    ValueLabel *value = nullptr;

    Pair()
    {
        auto *row = new QHBoxLayout(&window);
        plainBox = new QGroupBox(QStringLiteral("Values"));
        valueBox = new QGroupBox(QStringLiteral("Values"));
        plain = new QLabel(plainBox);
        value = new ValueLabel(valueBox);
        for (QLabel *l : {plain, static_cast<QLabel *>(value)})
            l->setGeometry(12, 24, 200, 160);
        for (QGroupBox *b : {plainBox, valueBox}) {
            b->setFixedSize(230, 200);
            row->addWidget(b);
        }
        window.show();
    }
    void apply(const std::function<void(QLabel *)> &f)
    {
        f(plain);
        f(value);
    }
    // As rendered on demand, and as painted into the window (where the value
    // label takes its copy from what lies under it).
    bool same() const
    {
        if (plainBox->grab().toImage() != valueBox->grab().toImage())
            return false;
        QCoreApplication::processEvents();
        const QImage shown = window.screen()->grabWindow(window.winId()).toImage();
        return shown.copy(plainBox->geometry()) == shown.copy(valueBox->geometry());
    }
};
} // namespace

void TestValueLabel::samePixelsAsPlainLabel_data()
{
    QTest::addColumn<QString>("fontName"); // english, chinese, bold, big
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("framed");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("color");
    QTest::addColumn<int>("height");

    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const int center = Qt::AlignCenter;
    const int top = Qt::AlignLeft | Qt::AlignTop;
    QTest::newRow("values, framed, right") << "english" << right << true << true << -1 << 22;
    QTest::newRow("values, greyed") << "english" << right << true << false << -1 << 22;
    QTest::newRow("values, chinese font") << "chinese" << right << true << true << -1 << 21;
    QTest::newRow("fault cells, bold, red") << "bold" << center << false << true << int(kColorRedBgr) << 17;
    QTest::newRow("state word, big bold") << "big" << int(Qt::AlignLeft | Qt::AlignVCenter) << false << true << -1
                                          << 23;
    QTest::newRow("I/O lines") << "english" << top << true << true << -1 << 160;
    QTest::newRow("I/O lines, chinese font") << "chinese" << top << true << true << -1 << 160;
    QTest::newRow("I/O lines, greyed") << "english" << top << true << false << -1 << 160;
}

void TestValueLabel::samePixelsAsPlainLabel()
{
    QFETCH(QString, fontName);
    QFETCH(int, alignment);
    QFETCH(bool, framed);
    QFETCH(bool, enabled);
    QFETCH(int, color);
    QFETCH(int, height);

    Pair pair;
    QFont font = fontName == QLatin1String("chinese") ? fontForLanguage(LanguageCode::Chinese, 9)
                                                      : fontForLanguage(LanguageCode::English, 9);
    if (fontName == QLatin1String("bold") || fontName == QLatin1String("big"))
        font.setBold(true);
    if (fontName == QLatin1String("big"))
        font.setPointSize(font.pointSize() + 3);
    pair.apply([&](QLabel *l) {
        l->setFont(font);
        l->setAlignment(Qt::Alignment(alignment));
        if (framed)
            l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (color >= 0)
            setForeColor(l, color);
        l->setEnabled(enabled);
        l->resize(l->width(), height);
    });

    // Numbers of every length and sign, the words the panel shows, and
    // texts the label leaves to QLabel (spaces, CJK, lines).
    QStringList texts{QStringLiteral("***"), QStringLiteral("-"), QStringLiteral("0"), QStringLiteral("-32767"),
                      QStringLiteral("655.35"), QStringLiteral("-327.67"), QStringLiteral("65.535"),
                      QStringLiteral("FORWARD"), QStringLiteral("BACKWARD"), QStringLiteral("PRE F"),
                      QStringLiteral("PARASET"), QStringLiteral("WAIT"), QStringLiteral("OK"), QStringLiteral("NG"),
                      QStringLiteral("Null"), QString::fromUtf8("\u6545\u969c"), QStringLiteral("a\nb"),
                      QStringLiteral("A&B"), QString()};
    for (int code : {int(LanguageCode::English), int(LanguageCode::Chinese)}) {
        texts << ioStatusInitialText(code);
        for (int levels : {0x00, 0xFF, 0x95, 0x2A})
            texts << ioStatusText(quint8(levels), code);
    }
    quint32 seed = 99;
    for (int i = 0; i < 60; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int v = int(seed >> 12) % 70000 - 35000;
        texts << QString::number(v) << QString::number(v / 100.0, 'f', 2) << QString::number(v / 1000.0, 'f', 3);
    }
    // Twice: the second time a text of several lines comes from the pixels
    // it painted the first; then once more after a change of alignment and
    // colour, which those pixels must not outlive.
    for (int pass = 0; pass < 3; ++pass) {
        if (pass == 2)
            pair.apply([&](QLabel *l) {
                l->setAlignment(Qt::AlignHCenter | (Qt::Alignment(alignment) & Qt::AlignVertical_Mask));
                setForeColor(l, int(kColorRedBgr));
            });
        for (const QString &t : texts) {
            pair.apply([&](QLabel *l) { l->setText(t); });
            QVERIFY2(pair.same(), qPrintable(QStringLiteral("pass %1: %2").arg(pass).arg(t)));
        }
    }
}

// Once the label has its copy, the group box behind a new text is not
// repainted: only the label is.
void TestValueLabel::newTextRepaintsOnlyItself()
{
    Pair pair;
    pair.value->setText(QStringLiteral("1"));
    QVERIFY(QTest::qWaitForWindowExposed(&pair.window));
    QCoreApplication::processEvents();
    // The first change takes the copy of what lies under the label.
    pair.value->setText(QStringLiteral("0"));
    QCoreApplication::processEvents();
    PaintLog box, label;
    pair.valueBox->installEventFilter(&box);
    pair.value->installEventFilter(&label);
    for (int i = 2; i < 12; ++i) {
        pair.value->setText(QString::number(i));
        QCoreApplication::processEvents();
    }
    QCOMPARE(label.paints, 10);
    QCOMPARE(box.paints, 0);
}

QTEST_MAIN(TestValueLabel)
#include "tst_valuelabel.moc"
