// Parameter sets: the file written and read back for every controller type,
// every way a file is refused, the comparison's counts, the restore plan and
// the read-back check.

#include "setsamples.h"

#include "core/appstate.h"
#include "pages/sets/restoreplan.h"
#include "pages/sets/setcompare.h"
#include "pages/sets/setfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(ParameterSet)
Q_DECLARE_METATYPE(RestoreRequest)

namespace {
using Kind = SetFileError::Kind;

QJsonObject jsonOf(const ParameterSet &set)
{
    return QJsonDocument::fromJson(setFileBytes(set)).object();
}

QByteArray bytesOf(const QJsonObject &o)
{
    return QJsonDocument(o).toJson();
}

// Edits one block of a file's JSON.
QJsonObject withBlock(QJsonObject root, int index, const std::function<void(QJsonObject &)> &edit)
{
    QJsonArray blocks = root.value(u"blocks").toArray();
    QJsonObject b = blocks.at(index).toObject();
    edit(b);
    blocks[index] = b;
    root[u"blocks"] = blocks;
    return root;
}

// New bytes with a checksum that fits them: only the codes can then be at fault.
void setBytes(QJsonObject &b, const QString &hex)
{
    b[u"bytes"] = hex;
    const QByteArray raw = QByteArray::fromHex(hex.toLatin1());
    b[u"sha256"] = QString::fromLatin1(QCryptographicHash::hash(raw, QCryptographicHash::Sha256).toHex());
}

QString withByte(const QString &hex, int at, const char *value)
{
    QString s = hex;
    s.replace(at * 3, 2, QLatin1String(value));
    return s;
}

const Block &blockOf(const ParameterSet &s, FrameId f)
{
    return *s.block(f);
}

// The same set with one field's value, as the page would write it for `text`.
ParameterSet withField(ParameterSet set, FrameId family, const char *control, const QString &text)
{
    const SetBlock &b = *findSetBlock(family);
    ValueMap values(*b.table);
    decodeBlock(*b.table, blockOf(set, family), {set.controllerType(), u'.'}, values);
    if (!values.setText(QString::fromLatin1(control), text))
        (void)values.setIndex(QString::fromLatin1(control), text.toInt());
    Block bytes{};
    if (!encodeBlock(*b.table, values, {set.controllerType(), u'.'}, bytes).ok())
        qFatal("%s does not take %s", control, qPrintable(text));
    set.setBlock(family, samples::asReply(b, bytes));
    return set;
}
} // namespace

class TestParameterSets : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void writeFails_data();
    void writeFails();
    void refused_data();
    void refused();
    void compare_data();
    void compare();
    void restoreTakesOnlyTickedFields_data();
    void restoreTakesOnlyTickedFields();
    void restoreRefusals_data();
    void restoreRefusals();
    void verification_data();
    void verification();
};

void TestParameterSets::roundTrip_data()
{
    QTest::addColumn<ParameterSet>("set");
    for (int type : {1, 2, 3, 26}) {
        QTest::addRow("defaults, type %d", type) << samples::defaultsSet(type);
        QTest::addRow("random, type %d", type) << samples::randomSet(type, quint32(type) * 7919u);
    }
    ParameterSet partial = samples::randomSet(2, 5);
    partial.clearBlock(FrameId::Motor);
    partial.clearBlock(FrameId::UserInfo);
    QTest::addRow("partial") << partial;
    ParameterSet noIdc = samples::randomSet(3, 6);
    noIdc.clearBlock(FrameId::IdcCalib);
    QTest::addRow("partial without the Idc block") << noIdc;
}

void TestParameterSets::roundTrip()
{
    QFETCH(ParameterSet, set);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.kparams"));
    QVERIFY(writeSetFile(path, set).ok());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.kparams")});

    const SetReadResult r = readSetFile(path);
    QVERIFY2(r.set, qPrintable(r.error.message(LanguageCode::English)));
    for (const SetBlock &b : setBlocks())
        QCOMPARE(r.set->block(b.family), set.block(b.family));
    QCOMPARE(r.set->controllerType(), set.controllerType());
    QCOMPARE(r.set->missing(), set.missing());
    QCOMPARE(r.set->identity(), set.identity());
    QCOMPARE(r.set->time, set.time);
    QCOMPARE(r.set->port, set.port);
    QCOMPARE(r.set->portSettings, set.portSettings);
    QCOMPARE(r.set->toolVersion, set.toolVersion);
    QCOMPARE(r.set->model, set.identity() ? set.model : QString());
    // Written again, the same file.
    QCOMPARE(setFileBytes(*r.set), setFileBytes(set));
    QVERIFY(compareSets(set, *r.set, LanguageCode::English).equal() || set.partial());
}

void TestParameterSets::writeFails_data()
{
    QTest::addColumn<ParameterSet>("set");
    QTest::addColumn<QString>("name");
    ParameterSet noTime = samples::defaultsSet(2);
    noTime.time = {};
    QTest::newRow("a set without a time") << noTime << "old.kparams";
    ParameterSet noCodes = samples::defaultsSet(2);
    noCodes.setBlock(FrameId::Basic, Block{});
    QTest::newRow("a block without its codes") << noCodes << "old.kparams";
    QTest::newRow("a folder that is not there") << samples::defaultsSet(2) << "none/x.kparams";
}

void TestParameterSets::writeFails()
{
    QFETCH(ParameterSet, set);
    QFETCH(QString, name);
    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("old.kparams")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the old file");
    old.close();
    const SetFileError e = writeSetFile(dir.filePath(name), set);
    QCOMPARE(int(e.kind), int(Kind::WriteFailed));
    QVERIFY(e.message(LanguageCode::English).endsWith(QLatin1String("No file was changed.")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.kparams")});
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the old file"));
}

void TestParameterSets::refused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("family"); // the block the message names, 0 for none

    const ParameterSet set = samples::defaultsSet(2);
    const QJsonObject good = jsonOf(set);
    const QByteArray bytes = bytesOf(good);
    const int basic = 1; // blocks[1]: the Basic block
    const int none = 0, idc = int(FrameId::IdcCalib), basicId = int(FrameId::Basic);
    auto edited = [&](const char *member, const QJsonValue &v) {
        QJsonObject o = good;
        if (v.isUndefined())
            o.remove(QLatin1String(member));
        else
            o[QLatin1String(member)] = v;
        return bytesOf(o);
    };
    auto editedBlock = [&](int index, const std::function<void(QJsonObject &)> &edit) {
        return bytesOf(withBlock(good, index, edit));
    };
    const QString basicHex = good[u"blocks"].toArray().at(basic)[u"bytes"].toString();

    QTest::newRow("not JSON") << QByteArray("kestrane parameters\n") << int(Kind::NotJson) << none;
    QTest::newRow("empty") << QByteArray() << int(Kind::Truncated) << none;
    QTest::newRow("truncated early") << bytes.left(40) << int(Kind::Truncated) << none;
    QTest::newRow("truncated late") << bytes.left(bytes.size() - 30) << int(Kind::Truncated) << none;
    QTest::newRow("JSON of something else") << QByteArray("{\"format\": \"other\"}") << int(Kind::NotASet) << none;
    QTest::newRow("a list") << QByteArray("[1, 2]") << int(Kind::NotASet) << none;
    QTest::newRow("future schema") << edited("schema", 2) << int(Kind::FutureSchema) << none;
    QTest::newRow("schema as text") << edited("schema", QStringLiteral("1")) << int(Kind::MalformedMember) << none;
    QTest::newRow("no time") << edited("time", QJsonValue::Undefined) << int(Kind::MissingMember) << none;
    QTest::newRow("time without offset") << edited("time", QStringLiteral("2024-05-01T08:30:00"))
                                         << int(Kind::MalformedMember) << none;
    QTest::newRow("type as text") << edited("controllerType", QStringLiteral("two")) << int(Kind::MalformedMember)
                                  << none;
    QTest::newRow("bad line settings") << bytesOf([&] {
        QJsonObject o = good;
        o[u"link"] = QJsonObject{{"port", "COM1"}, {"settings", "fast"}};
        return o;
    }()) << int(Kind::MalformedMember) << none;
    QTest::newRow("no blocks") << edited("blocks", QJsonValue::Undefined) << int(Kind::MissingMember) << none;
    QTest::newRow("bytes not hex") << editedBlock(basic, [](QJsonObject &b) { b[u"bytes"] = QStringLiteral("F0 E0"); })
                                   << int(Kind::MalformedMember) << basicId;
    QTest::newRow("no checksum") << editedBlock(basic, [](QJsonObject &b) { b.remove(u"sha256"); })
                                 << int(Kind::MissingMember) << basicId;
    QTest::newRow("a byte changed") << editedBlock(basic, [&](QJsonObject &b) {
        b[u"bytes"] = withByte(basicHex, 2, "FF");
    }) << int(Kind::WrongChecksum) << basicId;
    QTest::newRow("wrong command") << editedBlock(basic, [&](QJsonObject &b) { setBytes(b, withByte(basicHex, 0, "F2")); })
                                   << int(Kind::WrongCodes) << basicId;
    QTest::newRow("wrong read code") << editedBlock(basic, [&](QJsonObject &b) { setBytes(b, withByte(basicHex, 1, "E5")); })
                                     << int(Kind::WrongCodes) << basicId;
    QTest::newRow("wrong end marker") << editedBlock(basic, [&](QJsonObject &b) { setBytes(b, withByte(basicHex, 31, "DB")); })
                                      << int(Kind::WrongCodes) << basicId;
    QTest::newRow("bytes edited with their checksum") << editedBlock(basic, [&](QJsonObject &b) {
        setBytes(b, withByte(basicHex, 2, "FF"));
    }) << int(Kind::EditedField) << basicId;
    QTest::newRow("a text edited") << editedBlock(basic, [](QJsonObject &b) {
        QJsonArray fields = b[u"fields"].toArray();
        QJsonObject f = fields.at(0).toObject();
        f[u"text"] = QStringLiteral("400");
        fields[0] = f;
        b[u"fields"] = fields;
    }) << int(Kind::EditedField) << basicId;
    QTest::newRow("a field left out") << editedBlock(basic, [](QJsonObject &b) {
        QJsonArray fields = b[u"fields"].toArray();
        fields.removeAt(3);
        b[u"fields"] = fields;
    }) << int(Kind::EditedField) << basicId;
    QTest::newRow("unknown block") << editedBlock(basic, [](QJsonObject &b) { b[u"name"] = QStringLiteral("Turbo"); })
                                   << int(Kind::UnknownBlock) << none;
    QTest::newRow("block twice") << bytesOf([&] {
        QJsonObject o = good;
        QJsonArray blocks = o[u"blocks"].toArray();
        blocks.append(blocks.at(basic));
        o[u"blocks"] = blocks;
        return o;
    }()) << int(Kind::DuplicateBlock) << basicId;
    QTest::newRow("a block gone, not listed missing") << bytesOf([&] {
        QJsonObject o = good;
        QJsonArray blocks = o[u"blocks"].toArray();
        blocks.removeAt(basic);
        o[u"blocks"] = blocks;
        return o;
    }()) << int(Kind::MissingList) << none;
    QTest::newRow("another controller type") << edited("controllerType", 3) << int(Kind::WrongType) << idc;
    QTest::newRow("serial number edited") << bytesOf([&] {
        QJsonObject o = good;
        QJsonObject id = o[u"identity"].toObject();
        id[u"serialNumber"] = 4242;
        o[u"identity"] = id;
        return o;
    }()) << int(Kind::EditedIdentity) << none;
}

void TestParameterSets::refused()
{
    QFETCH(QByteArray, file);
    QFETCH(int, kind);
    QFETCH(int, family);
    const SetReadResult r = parseSetFile(file);
    QVERIFY2(!r.set, "a refused file gave a set");
    QCOMPARE(int(r.error.kind), kind);
    QCOMPARE(int(r.error.family), family);
    const QString english = r.error.message(LanguageCode::English);
    const QString chinese = r.error.message(LanguageCode::Chinese);
    QVERIFY(english.endsWith(QLatin1String("Nothing from this file was used.")));
    QVERIFY2(chinese != english && !chinese.contains(QLatin1String("Nothing")), qPrintable(chinese));
    if (family)
        QVERIFY2(english.contains(findSetBlock(FrameId(family))->title(LanguageCode::English)), qPrintable(english));
}

void TestParameterSets::compare_data()
{
    QTest::addColumn<ParameterSet>("first");
    QTest::addColumn<ParameterSet>("second");
    QTest::addColumn<int>("changed");
    QTest::addColumn<int>("notComparable");
    QTest::addColumn<bool>("typeDiffers");
    QTest::addColumn<bool>("serialDiffers");
    QTest::addColumn<QString>("firstDifference"); // "control: first -> second"

    const ParameterSet two = samples::defaultsSet(2);
    QTest::newRow("the same") << two << two << 0 << 0 << false << false << "";
    QTest::newRow("one speed") << two << withField(two, FrameId::Basic, "txtMaxspeed", QStringLiteral("400")) << 1 << 0
                               << false << false << "txtMaxspeed: 350 -> 400";
    QTest::newRow("one check box of a flags byte")
        << two << withField(two, FrameId::Other, "ChkAst", QStringLiteral("1")) << 1 << 0 << false << false
        << "ChkAst: unchecked -> checked";
    QTest::newRow("a list") << two << withField(two, FrameId::Motor, "cboMTherType", QStringLiteral("4")) << 1 << 0
                            << false << false << "cboMTherType: PTC_1k -> KTY83";
    QTest::newRow("another serial number")
        << two << withField(two, FrameId::IdcCalib, "txtSNNum", QStringLiteral("77")) << 1 << 0 << false << true
        << "txtSNNum: 1 -> 77";
    ParameterSet partial = two;
    partial.clearBlock(FrameId::Derate);
    QTest::newRow("a block missing") << two << partial << 0 << 1 << false << false << "";
    // Type 3 reads the hall group B bytes as braking settings.
    QTest::newRow("another controller type") << two << samples::defaultsSet(3) << 9 << 0 << true << false
                                             << "txtcType: 2 -> 3";
    // The defaults have no identity; the sample's flux speed is not the default.
    QTest::newRow("against the design defaults") << two << ParameterSet::designDefaults(2) << 1 << 1 << false
                                                 << false << "txtFluxSTspeed: 1500 -> 900";
}

void TestParameterSets::compare()
{
    QFETCH(ParameterSet, first);
    QFETCH(ParameterSet, second);
    QFETCH(int, changed);
    QFETCH(int, notComparable);
    QFETCH(bool, typeDiffers);
    QFETCH(bool, serialDiffers);
    QFETCH(QString, firstDifference);

    const SetComparison c = compareSets(first, second, LanguageCode::English);
    QCOMPARE(c.changed, changed);
    QCOMPARE(c.notComparable, notComparable);
    QCOMPARE(c.typeDiffers, typeDiffers);
    QCOMPARE(c.serialDiffers, serialDiffers);
    QCOMPARE(c.warnings.size(), int(typeDiffers) + int(serialDiffers));
    QCOMPARE(c.equal(), changed == 0 && notComparable == 0);
    // Every field row of a compared block is counted once.
    int rows = 0;
    for (const BlockComparison &b : c.blocks) {
        QCOMPARE(b.differences.size(), b.changed);
        if (b.state == BlockComparison::State::Compared)
            for (const FieldSpec &f : findSetBlock(b.family)->table->fields())
                rows += holdsValue(f) ? 1 : 0;
    }
    QCOMPARE(c.changed + c.unchanged + c.notForType, rows);
    if (!firstDifference.isEmpty()) {
        const FieldDifference *d = nullptr;
        for (const BlockComparison &b : c.blocks)
            if (!d && !b.differences.isEmpty())
                d = &b.differences.first();
        QVERIFY(d);
        QVERIFY2(QStringLiteral("%1: %2 -> %3").arg(d->control, d->first, d->second).startsWith(firstDifference),
                 qPrintable(d->control + u' ' + d->first + u' ' + d->second));
        QVERIFY(!d->caption.isEmpty());
    }
}

void TestParameterSets::restoreTakesOnlyTickedFields_data()
{
    QTest::addColumn<QList<RestoreTick>>("ticks");
    QTest::addColumn<QStringList>("written"); // "family:control" taken from the file

    QTest::newRow("nothing ticked") << QList<RestoreTick>{} << QStringList{};
    QTest::newRow("one of two") << QList<RestoreTick>{{FrameId::Basic, QStringLiteral("txtMaxspeed")}}
                                << QStringList{QStringLiteral("Basic:txtMaxspeed")};
    QTest::newRow("one bit of a flags byte") << QList<RestoreTick>{{FrameId::Other, QStringLiteral("ChkAst")}}
                                             << QStringList{QStringLiteral("Other:ChkAst")};
    QTest::newRow("a field that is equal") << QList<RestoreTick>{{FrameId::Basic, QStringLiteral("txtBspeed")}}
                                           << QStringList{};
}

void TestParameterSets::restoreTakesOnlyTickedFields()
{
    QFETCH(QList<RestoreTick>, ticks);
    QFETCH(QStringList, written);
    // The controller differs from the file in four fields, two per block.
    const ParameterSet controller = samples::randomSet(2, 99);
    ParameterSet file = withField(controller, FrameId::Basic, "txtMaxspeed", QStringLiteral("1234"));
    file = withField(file, FrameId::Basic, "txtEcospeed", QStringLiteral("99"));
    file = withField(file, FrameId::Other, "ChkAst", QString::number(1 - ((blockOf(controller, FrameId::Other)[8] >> 6) & 1)));
    file = withField(file, FrameId::Other, "Chk_Tab6_BoostEnable",
                     QString::number(1 - ((blockOf(controller, FrameId::Other)[8] >> 7) & 1)));

    const RestorePlan plan = planRestore(file, controller, {ticks, {}, {}, false}, LanguageCode::English);
    QVERIFY(!plan.refused);
    QStringList taken;
    for (const PlannedBlock &p : plan.blocks) {
        const SetBlock &b = *findSetBlock(p.family);
        QCOMPARE(p.block[0], b.codes->command());
        QCOMPARE(p.block[1], b.codes->writeCode);
        QCOMPARE(p.block[31], kEndMarker);
        for (const FieldSpec &f : b.table->fields()) {
            if (!holdsValue(f) || f.readOnly || !f.appliesTo(2))
                continue;
            const bool fromFile = !sameFieldBytes(f, p.block, blockOf(controller, p.family));
            if (fromFile) {
                QVERIFY2(sameFieldBytes(f, p.block, blockOf(file, p.family)), f.control);
                taken << b.name() + u':' + QLatin1String(f.control);
            }
        }
    }
    QCOMPARE(taken, written);
}

void TestParameterSets::restoreRefusals_data()
{
    QTest::addColumn<ParameterSet>("file");
    QTest::addColumn<RestoreRequest>("request");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("blocks");

    const ParameterSet controller = samples::defaultsSet(2);
    const ParameterSet newSerial = withField(controller, FrameId::IdcCalib, "txtSNNum", QStringLiteral("77"));
    const RestoreTick serial{FrameId::IdcCalib, QStringLiteral("txtSNNum")};
    QTest::newRow("Idc ticked but not chosen by itself") << newSerial << RestoreRequest{{serial}, {}, {}, false}
                                                         << false << 0;
    QTest::newRow("Idc chosen by itself") << newSerial << RestoreRequest{{serial}, {FrameId::IdcCalib}, {}, false}
                                          << false << 1;
    const ParameterSet three = withField(samples::defaultsSet(3), FrameId::Basic, "txtMaxspeed", QStringLiteral("9"));
    const RestoreTick speed{FrameId::Basic, QStringLiteral("txtMaxspeed")};
    QTest::newRow("another type, not confirmed") << three << RestoreRequest{{speed}, {}, {}, false} << true << 0;
    QTest::newRow("another type, wrong name") << three << RestoreRequest{{speed}, {}, QStringLiteral("type 2"), false}
                                              << true << 0;
    QTest::newRow("another type, confirmed") << three << RestoreRequest{{speed}, {}, QStringLiteral(" Type 3 "), false}
                                             << false << 1;
    QTest::newRow("a tick on no field") << three
                                        << RestoreRequest{{{FrameId::Basic, QStringLiteral("txtNoSuch")}}, {}, QStringLiteral("3"), false}
                                        << true << 0;
    ParameterSet otherSubproject = controller;
    Block idc = blockOf(controller, FrameId::IdcCalib);
    idc[22] = 5;
    otherSubproject.setBlock(FrameId::IdcCalib, idc);
    QTest::newRow("a tick on a field only shown")
        << otherSubproject
        << RestoreRequest{{{FrameId::IdcCalib, QStringLiteral("txtcIdcCalibNum")}}, {FrameId::IdcCalib}, {}, false}
        << true << 0;
}

void TestParameterSets::restoreRefusals()
{
    QFETCH(ParameterSet, file);
    QFETCH(RestoreRequest, request);
    QFETCH(bool, refused);
    QFETCH(int, blocks);
    const ParameterSet controller = samples::defaultsSet(2);
    const RestorePlan plan = planRestore(file, controller, request, LanguageCode::English);
    QCOMPARE(plan.refused, refused);
    QCOMPARE(plan.blocks.size(), blocks);
    QCOMPARE(plan.refusal.isEmpty(), !refused);
    if (!refused && blocks == 0)
        QCOMPARE(plan.notes.size(), 1);
}

void TestParameterSets::verification_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("offset"); // of the byte the controller holds otherwise
    QTest::addColumn<int>("flip");   // the bits that differ there
    QTest::addColumn<bool>("verified");
    QTest::addColumn<QString>("fields");

    const int basic = int(FrameId::Basic), idc = int(FrameId::IdcCalib);
    QTest::newRow("as written") << basic << 2 << 0 << true << "";
    QTest::newRow("a speed") << basic << 3 << 0x10 << false << "Max speed[rpm]";
    QTest::newRow("a bit of the input levels") << idc << 4 << 0x01 << false << "Forward level";
    QTest::newRow("bit 7 of the input levels, never written") << idc << 4 << 0x80 << true << "";
    QTest::newRow("the subproject byte, only shown") << idc << 22 << 0x09 << true << "";
    QTest::newRow("another block") << basic << 0 << 0x02 << false << "";
}

void TestParameterSets::verification()
{
    QFETCH(int, family);
    QFETCH(int, offset);
    QFETCH(int, flip);
    QFETCH(bool, verified);
    QFETCH(QString, fields);
    const SetBlock &b = *findSetBlock(FrameId(family));
    Block written = blockOf(samples::defaultsSet(2), b.family);
    written[1] = b.codes->writeCode;
    Block readBack = samples::asReply(b, written);
    readBack[std::size_t(offset)] ^= quint8(flip);
    const Verification v = verifyReadBack(b.family, written, readBack, 2, LanguageCode::English);
    QCOMPARE(v.verified, verified);
    QCOMPARE(v.fields.join(u','), fields);
    QCOMPARE(v.otherBlock, offset == 0 && flip != 0);
    QVERIFY(v.message.startsWith(b.title(LanguageCode::English)));
}

QTEST_GUILESS_MAIN(TestParameterSets)
#include "tst_parametersets.moc"
