// What must hold for every block table of the tool, checked once for all.

#include "link/commandtable.h"
#include "pages/engine/blocktables.h"

#include <QFile>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

namespace {
// (context, source) -> finished translation, read from the translation file.
QHash<QPair<QString, QString>, QString> readTranslations()
{
    QHash<QPair<QString, QString>, QString> found;
    QFile file(QStringLiteral(KESTRANE_TS_FILE));
    if (!file.open(QIODevice::ReadOnly))
        return found;
    QXmlStreamReader xml(&file);
    QString context, source, translation;
    bool unfinished = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            translation = xml.readElementText();
            if (!unfinished && !translation.isEmpty())
                found.insert({context, source}, translation);
        }
    }
    return found;
}

bool typesOverlap(const FieldSpec &a, const FieldSpec &b)
{
    return (a.types & b.types) != 0;
}

QString describe(const BlockTable &t, int i)
{
    const FieldSpec &f = t.field(i);
    return t.window() + QLatin1Char('.') +
           (f.control ? QString::fromLatin1(f.control) : QStringLiteral("byte %1").arg(f.offset));
}

std::pair<qint64, qint64> formLimits(ValueForm form)
{
    switch (form) {
    case ValueForm::U8:
    case ValueForm::List: return {0, 255};
    case ValueForm::U16: return {0, 65535};
    case ValueForm::Sm16: return {-32767, 32767};
    case ValueForm::Flag: return {0, 1};
    default: return {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    }
}
} // namespace

class TestBlockTables : public QObject
{
    Q_OBJECT
private slots:
    void codesMatchTheCommandTable();
    void fieldsInsidePayload();
    void noTwoFieldsOnOneByte();
    void controlAndLabelNamesUnique();
    void rangesFitTheirForms();
    void displayMatchesScale();
    void everyCaptionTranslated();
    void sharedTextsTranslated();
};

void TestBlockTables::codesMatchTheCommandTable()
{
    for (const BlockTable *t : allBlockTables()) {
        const ParamFamily *family = paramFamilyFor(t->definition().frame);
        if (!family)
            continue;
        QCOMPARE(t->definition().command, family->command);
        QCOMPARE(t->definition().writeCode, family->writeCode());
    }
}

void TestBlockTables::fieldsInsidePayload()
{
    for (const BlockTable *t : allBlockTables()) {
        for (int i = 0; i < t->fieldCount(); ++i) {
            const FieldSpec &f = t->field(i);
            if (!f.hasBytes())
                continue;
            QVERIFY2(f.offset >= 2 && f.offset + f.width() - 1 <= 30, qPrintable(describe(*t, i)));
            if (f.form == ValueForm::Flag)
                QVERIFY2(f.bit < 8, qPrintable(describe(*t, i)));
        }
    }
}

void TestBlockTables::noTwoFieldsOnOneByte()
{
    for (const BlockTable *t : allBlockTables()) {
        if (t->definition().allowsSharedBytes)
            continue;
        for (int i = 0; i < t->fieldCount(); ++i) {
            for (int j = i + 1; j < t->fieldCount(); ++j) {
                const FieldSpec &a = t->field(i);
                const FieldSpec &b = t->field(j);
                if (!a.hasBytes() || !b.hasBytes() || !typesOverlap(a, b))
                    continue;
                const bool apart = a.offset + a.width() <= b.offset || b.offset + b.width() <= a.offset;
                const bool flagsOfOneByte = a.form == ValueForm::Flag && b.form == ValueForm::Flag &&
                                            a.offset == b.offset && a.bit != b.bit;
                QVERIFY2(apart || flagsOfOneByte,
                         qPrintable(describe(*t, i) + QLatin1String(" / ") + describe(*t, j)));
            }
        }
    }
}

void TestBlockTables::controlAndLabelNamesUnique()
{
    for (const BlockTable *t : allBlockTables()) {
        QSet<QString> labels;
        for (int i = 0; i < t->fieldCount(); ++i) {
            const FieldSpec &a = t->field(i);
            if (a.isConstant())
                continue;
            // The same control may appear once per controller type, never twice for one.
            for (int j = i + 1; j < t->fieldCount(); ++j) {
                const FieldSpec &b = t->field(j);
                if (!b.isConstant() && QLatin1String(a.control) == QLatin1String(b.control))
                    QVERIFY2(!typesOverlap(a, b), qPrintable(describe(*t, j)));
            }
            const QString label = t->labelName(i);
            if (t->fieldOfSlot(t->slotOfField(i)) != i)
                continue; // a later row of the same control shares its label
            if (label.isEmpty())
                continue;
            QVERIFY2(label.startsWith(QLatin1String("lbl")), qPrintable(label));
            QVERIFY2(!labels.contains(label), qPrintable(label));
            labels.insert(label);
        }
    }
}

void TestBlockTables::rangesFitTheirForms()
{
    for (const BlockTable *t : allBlockTables()) {
        for (int i = 0; i < t->fieldCount(); ++i) {
            const FieldSpec &f = t->field(i);
            QVERIFY2(f.lo <= f.hi, qPrintable(describe(*t, i)));
            QVERIFY2(f.factor > 0, qPrintable(describe(*t, i)));
            const auto [lo, hi] = formLimits(f.form);
            QVERIFY2(f.lo >= lo && f.hi <= hi, qPrintable(describe(*t, i)));
        }
    }
}

void TestBlockTables::displayMatchesScale()
{
    // A box whose value the decoder divides cannot show a plain integer.
    for (const BlockTable *t : allBlockTables()) {
        for (int i = 0; i < t->fieldCount(); ++i) {
            const FieldSpec &f = t->field(i);
            if (f.scaling == Scaling::Multiply)
                QVERIFY2(f.display != DisplayForm::Integer, qPrintable(describe(*t, i)));
        }
    }
}

void TestBlockTables::everyCaptionTranslated()
{
    const auto translations = readTranslations();
    QVERIFY(!translations.isEmpty());
    for (const BlockTable *t : allBlockTables()) {
        const QString context = t->window();
        auto check = [&](const char *source, CaptionRule rule) {
            if (rule != CaptionRule::Both || !source)
                return;
            QVERIFY2(translations.contains({context, QString::fromUtf8(source)}),
                     qPrintable(context + QLatin1String(": ") + QString::fromUtf8(source)));
        };
        check(t->definition().caption, t->definition().windowCaptionRule);
        for (const char *group : t->definition().groups)
            check(group, CaptionRule::Both);
        for (const FieldSpec &f : t->fields()) {
            if (!f.isConstant())
                check(f.caption, f.captionRule);
            if (*f.unit)
                QVERIFY2(translations.contains({QStringLiteral("ParameterPage"), QString::fromUtf8(f.unit)}),
                         f.unit);
        }
    }
}

void TestBlockTables::sharedTextsTranslated()
{
    const auto translations = readTranslations();
    QCOMPARE(translations.value({QStringLiteral("ParameterPage"), QStringLiteral("read")}),
             QStringLiteral("读出"));
    QCOMPARE(translations.value({QStringLiteral("ParameterPage"), QStringLiteral("write")}),
             QStringLiteral("写入"));
}

QTEST_GUILESS_MAIN(TestBlockTables)
#include "tst_blocktables.moc"
