// What must hold for every block table of the tool, checked once for all.

#include "link/commandtable.h"
#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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

// Windows of the block tables defined in these sources ("file" -> text) that
// no registry row lists.
QStringList unregisteredTables(const QHash<QString, QString> &sources, const QStringList &registered)
{
    static const QRegularExpression blockSpec(QStringLiteral("BlockSpec\\s+\\w+\\s*\\{\\s*\"(\\w+)\""));
    QStringList missing;
    for (auto it = sources.begin(); it != sources.end(); ++it) {
        auto m = blockSpec.globalMatch(it.value());
        while (m.hasNext()) {
            const QString window = m.next().captured(1);
            if (!registered.contains(window))
                missing << it.key() + QLatin1String(": ") + window;
        }
    }
    return missing;
}

QStringList registeredTableWindows()
{
    QStringList windows;
    for (const PageDef &p : allPages()) {
        if (p.table)
            windows << p.table().window();
    }
    return windows;
}

// A value every field of the table accepts back unchanged, for a base block.
qint64 restingRaw(const FieldSpec &f)
{
    if (f.form == ValueForm::List)
        return std::clamp<qint64>(std::max<qint64>(f.lo, f.decodeLo + f.addend), f.lo, f.hi);
    return f.lo;
}

// Puts a raw field value into its bytes (sm16: magnitude, sign in bit 15).
void putRaw(Block &b, const FieldSpec &f, qint64 raw)
{
    const qint64 magnitude = raw < 0 ? -raw : raw;
    b[f.offset] = quint8(magnitude & 0xFF);
    if (f.width() == 2)
        b[f.offset + 1] = quint8((magnitude >> 8) | (raw < 0 ? 0x80 : 0));
}

// A block of this type where every field rests on a value inside its range.
Block restingBlock(const BlockTable &t, int type)
{
    Block base = newWriteBlockFor(t.definition().frame);
    for (const FieldSpec &f : t.fields()) {
        // Lists rest on a byte one of their items names (a list limited to
        // its items shows byte 0 as its first item, whose own byte is 1).
        const bool numericOrList = f.isNumeric() || f.form == ValueForm::List;
        if (f.hasBytes() && !f.isConstant() && numericOrList && f.appliesTo(type))
            putRaw(base, f, restingRaw(f));
        else if (f.isConstant() && f.appliesTo(type))
            base[f.offset] = f.constant;
    }
    return base;
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
    void registryIsComplete();
    void plantedUnregisteredTableIsFound();
    void closeListsMatchTheNavigation();
    void everyFieldRoundTrips();
    void everyReceivedValueComesBack();
    void defaultsEncodeWithTheFamilyCodes_data();
    void defaultsEncodeWithTheFamilyCodes();
    void fieldsInsidePayload();
    void noTwoFieldsOnOneByte();
    void controlAndLabelNamesUnique();
    void rangesFitTheirForms();
    void displayMatchesScale();
    void everyCaptionTranslated();
    void sharedTextsTranslated();
};

void TestBlockTables::registryIsComplete()
{
    // Every block file's table has a registry row.
    QHash<QString, QString> sources;
    const QDir blocks(QStringLiteral(KESTRANE_SRC_DIR "/pages/blocks"));
    for (const QString &name : blocks.entryList({QStringLiteral("*.cpp")})) {
        QFile f(blocks.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        sources.insert(name, QString::fromUtf8(f.readAll()));
    }
    QVERIFY(sources.size() >= 2);
    const QStringList missing = unregisteredTables(sources, registeredTableWindows());
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));

    // Every page's table is of the page's family, which the command table
    // has; every family's block has its page but Assist (the tool never
    // asks for it).
    for (const PageDef &p : allPages()) {
        if (p.table) {
            QCOMPARE(int(p.table().definition().frame), int(p.family));
            QVERIFY2(findFamily(p.family), p.window);
        }
    }
    for (const ReplyRow &row : replyTable()) {
        if (row.action == ReplyAction::Block && row.family != FrameId::Assist)
            QVERIFY2(pageForFamily(row.family), qPrintable(hexString(QByteArray{char(row.command), char(row.subCommand)})));
    }
}

void TestBlockTables::plantedUnregisteredTableIsFound()
{
    const QHash<QString, QString> sources{
        {QStringLiteral("dummyblock.cpp"),
         QStringLiteral("constexpr BlockSpec kSpec{\n    \"frmDummy\",\n    \"Dummy\", FrameId::Assist};")},
        {QStringLiteral("basicblock.cpp"), QStringLiteral("constexpr BlockSpec kSpec{\"frmBasic\", ...")},
    };
    QCOMPARE(unregisteredTables(sources, registeredTableWindows()),
             QStringList{QStringLiteral("dummyblock.cpp: frmDummy")});
    QCOMPARE(unregisteredTables(sources, registeredTableWindows() << QStringLiteral("frmDummy")),
             QStringList{});
}

void TestBlockTables::closeListsMatchTheNavigation()
{
    // The navigation handlers as the tool's users know them: what each button
    // shows, whether it reads, and what it closes in which order.
    struct Nav { const char *button; const char *shows; bool reads; bool modal; QStringList closes; };
    const QStringList all{"frmBasic", "frmReference", "frmMotor", "frmControl", "frmdqPID",
                          "frmProtection", "frmOther", "frmFluxWeaken", "frmIdcCalib", "frmIacCalib"};
    auto allBut = [&](const char *self) {
        QStringList l = all;
        l.removeAll(QLatin1String(self));
        return l;
    };
    QStringList fluxCloses = allBut("frmFluxWeaken");
    fluxCloses.removeAll(QStringLiteral("frmProtection"));
    const Nav expected[] = {
        {"cmdBasic", "frmBasic", true, false, allBut("frmBasic")},
        {"cmdReference", "frmReference", true, false, allBut("frmReference")},
        {"cmdMotor", "frmMotor", true, false, {}},
        {"cmdContorl", "frmControl", true, false, allBut("frmControl")},
        {"cmdProtection", "frmProtection", true, false, {}},
        {"cmdOther", "frmOther", true, false, allBut("frmOther")},
        {"cmddqPID", "frmdqPID", true, false, allBut("frmdqPID")},
        {"cmdFluxWeaken", "frmFluxWeaken", true, false, fluxCloses},
        {"cmdDerate", "frmDerate", true, false,
         {"frmBasic", "frmOther", "frmReference", "frmMotor", "frmControl", "frmdqPID",
          "frmProtection", "frmFluxWeaken", "frmIdcCalib", "frmIacCalib"}},
        {"cmdModeSet", "frmModeSet", true, false,
         {"frmBasic", "frmReference", "frmControl", "frmdqPID", "frmOther", "frmIdcCalib",
          "frmIacCalib"}},
        {"cmdIdcCalib", "frmIdcCalib", true, false, allBut("frmIdcCalib")},
        {"cmdIacCalib", "frmIacCalib", false, false, allBut("frmIacCalib")},
        {"cmdCurve", "frmCurve", false, false, {}},
        {"Menu_Option_UserInfo", "frmUserInfo", true, true, {}},
    };
    QCOMPARE(std::size(expected), allPages().size());
    for (const Nav &n : expected) {
        const PageDef *p = findPage(QString::fromLatin1(n.shows));
        QVERIFY2(p, n.shows);
        QCOMPARE(QLatin1String(p->button), QLatin1String(n.button));
        QCOMPARE(p->readsOnOpen, n.reads);
        QCOMPARE(p->modal, n.modal);
        QStringList closes;
        for (PageId id : p->closes)
            closes << QLatin1String(pageDef(id).window);
        QCOMPARE(closes, n.closes);
        if (n.reads) {
            const BlockFamily *f = findFamily(p->family);
            QVERIFY(f);
            QByteArray request;
            request += char(f->command());
            request += char(f->readCode);
            if (p->family == FrameId::UserInfo)
                request += char(kUserInfoQualifier);
            request += char(kEndMarker);
            QCOMPARE(requestFrames().readRequestFor(p->family), request);
        }
    }
}

void TestBlockTables::everyFieldRoundTrips()
{
    // Reading a block and writing it back unchanged never changes a byte: for
    // every registered table, controller type and field, every stored value
    // inside the field's range goes through its box text and back.
    for (const BlockTable *t : allBlockTables()) {
        for (int type = 0; type <= 4; ++type) {
            const Block base = restingBlock(*t, type);
            for (int i = 0; i < t->fieldCount(); ++i) {
                const FieldSpec &f = t->field(i);
                if (!f.hasBytes() || f.isConstant() || !f.appliesTo(type) || f.form == ValueForm::Chars)
                    continue;
                qint64 lo = f.lo, hi = f.hi;
                if (f.form == ValueForm::List) {
                    lo = std::max<qint64>(lo, f.decodeLo + f.addend);
                    hi = std::min<qint64>(hi, f.decodeHi + f.addend);
                }
                for (qint64 raw = lo; raw <= hi; ++raw) {
                    FieldValue back;
                    if (f.holdsIndex()) {
                        back = encodeIndexValue(f, decodedIndex(f, raw));
                    } else {
                        const QString shown = displayText(f, raw, u'.');
                        back = encodeFieldValue(f, shown, u'.');
                    }
                    if (!back.ok() || back.stored != raw) {
                        QFAIL(qPrintable(QStringLiteral("%1 type %2: %3 came back as %4")
                                             .arg(describe(*t, i)).arg(type).arg(raw).arg(back.stored)));
                    }
                }
            }
            // The whole block too, through the registry's codec.
            AppState state;
            state.controllerType = qint16(type);
            state.frames[t->definition().frame] = base;
            ValueMap values(*t);
            decodeTable(*t, state.blockParts(), values);
            // A hook may learn the controller type from the block (Idc
            // calibration); the round trip is of this type's layout.
            state.controllerType = qint16(type);
            QVERIFY(encodeTable(*t, state.blockParts(), values).ok());
            const Block &back = state.frames[t->definition().frame];
            QVERIFY2(back == base, qPrintable(QStringLiteral("%1 type %2:\n%3\n%4")
                                                  .arg(t->window()).arg(type)
                                                  .arg(hexString(toByteArray(back)), hexString(toByteArray(base)))));
        }
    }
}

void TestBlockTables::everyReceivedValueComesBack()
{
    // Whatever value of its form a field receives, writing the block back
    // unchanged gives the same bytes, or refuses naming that box: never a
    // silent change (a list showing byte 0 as its first item, a box whose
    // range would clamp it).
    for (const BlockTable *t : allBlockTables()) {
        for (int type = 0; type <= 4; ++type) {
            const Block base = restingBlock(*t, type);
            const CodecOptions options{type, u'.'};
            for (int i = 0; i < t->fieldCount(); ++i) {
                const FieldSpec &f = t->field(i);
                // A decoded-only box is shown, never written (its byte goes
                // out as 0 by design).
                if (!f.hasBytes() || f.isConstant() || !f.appliesTo(type) || f.readOnly
                    || !(f.isNumeric() || f.form == ValueForm::List))
                    continue;
                const auto [lo, hi] = formLimits(f.form);
                QList<qint64> raws;
                for (qint64 raw = lo; raw <= hi; raw += f.width() == 2 ? 97 : 1)
                    raws << raw;
                for (const qint64 edge : {qint64(f.lo), qint64(f.hi), lo, hi}) {
                    for (qint64 raw = std::max(lo, edge - 300); raw <= std::min(hi, edge + 300); ++raw)
                        raws << raw;
                }
                for (const qint64 raw : std::as_const(raws)) {
                    Block received = base;
                    putRaw(received, f, raw);
                    ValueMap values(*t);
                    decodeBlock(*t, received, options, values);
                    Block back{};
                    const EncodeResult r = encodeBlock(*t, values, options, back);
                    if (!r.ok() && r.failedField == i)
                        continue; // refused, and the user is told which box
                    if (!r.ok() || rawFieldValue(f, back) != raw) {
                        QFAIL(qPrintable(QStringLiteral("%1 type %2: %3 went back as %4")
                                             .arg(describe(*t, i)).arg(type).arg(raw)
                                             .arg(r.ok() ? rawFieldValue(f, back) : -1)));
                    }
                }
            }
        }
    }
}

void TestBlockTables::defaultsEncodeWithTheFamilyCodes_data()
{
    QTest::addColumn<int>("tableIndex");
    QTest::addColumn<int>("controllerType");
    const auto tables = allBlockTables();
    for (int i = 0; i < int(tables.size()); ++i)
        for (int type : {0, 1, 2, 3})
            QTest::newRow(qPrintable(QStringLiteral("%1 type %2").arg(tables[i]->window()).arg(type))) << i << type;
}

void TestBlockTables::defaultsEncodeWithTheFamilyCodes()
{
    // A page opened before any read holds its defaults: they must make a
    // write block, carrying its family's codes.
    QFETCH(int, tableIndex);
    QFETCH(int, controllerType);
    const BlockTable *table = allBlockTables()[tableIndex];
    const BlockFamily *codes = findFamily(table->definition().frame);
    QVERIFY(codes);
    AppState state;
    state.controllerType = qint16(controllerType);
    const EncodeResult r = encodeTable(*table, state.blockParts(), ValueMap(*table));
    QVERIFY2(r.ok(), r.ok() ? "" : table->field(r.failedField).control);
    const Block &b = state.frames[table->definition().frame];
    QCOMPARE(b[0], codes->command());
    QCOMPARE(b[1], codes->writeCode);
    QCOMPARE(b[31], kEndMarker);
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
            for (const char *item : f.items)
                check(item, CaptionRule::Both);
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
