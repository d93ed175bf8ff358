// The Motor and Idc calibration blocks: what each box text becomes on the
// line, for every controller type where the bytes depend on it, and what a
// received block shows.

#include "core/appstate.h"
#include "pages/blocks/idccalibblock.h"
#include "pages/blocks/motorblock.h"
#include "pages/engine/pageregistry.h"

#include <QLocale>
#include <QTest>

Q_DECLARE_METATYPE(QList<int>)

namespace {
// The encoded block of `table` with these edits ("control", "text" pairs; a
// list or check box takes an index), as hex; empty when the write failed.
QString encoded(const BlockTable &table, int type, const QStringList &edits)
{
    AppState state;
    state.controllerType = qint16(type);
    ValueMap values(table);
    for (int i = 0; i + 1 < edits.size(); i += 2) {
        if (!values.setText(edits[i], edits[i + 1]) && !values.setIndex(edits[i], edits[i + 1].toInt()))
            return QStringLiteral("no control ") + edits[i];
    }
    if (!encodeTable(table, state.blockParts(), values).ok())
        return QString();
    return hexString(toByteArray(state.frames[table.definition().frame]));
}

// Byte `at` of a hex block.
QString byteAt(const QString &hex, int at)
{
    return hex.mid(at * 3, 2);
}

Block blockFrom(const char *hex)
{
    Block b{};
    const QByteArray raw = QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
    for (int i = 0; i < raw.size() && i < kBlockSize; ++i)
        b[std::size_t(i)] = quint8(raw[i]);
    return b;
}

// The values after decoding `block` with the controller type `type`,
// starting from the defaults with these edits.
ValueMap decoded(const BlockTable &table, AppState &state, const Block &block,
                 const QStringList &edits = {})
{
    ValueMap values(table);
    for (int i = 0; i + 1 < edits.size(); i += 2) {
        if (!values.setText(edits[i], edits[i + 1]))
            (void)values.setIndex(edits[i], edits[i + 1].toInt());
    }
    state.frames[table.definition().frame] = block;
    decodeTable(table, state.blockParts(), values);
    return values;
}

const char *const kMotorDefaultsHall =
    "F6 E7 17 5C 00 01 46 80 1E 3C 3C 3C 3C 3C 3C 10 02 10 DC 10 8C 78 08 01 3C 3C 3C 3C 3C 3C 00 DA";
const char *const kMotorDefaultsBraking =
    "F6 E7 17 5C 00 01 46 80 1E 3C 3C 3C 3C 3C 3C 10 02 10 DC 10 0E 78 08 01 00 00 00 06 06 00 08 DA";
const char *const kMotorDefaultsUnknown =
    "F6 E7 17 5C 00 01 46 80 1E 3C 3C 3C 3C 3C 3C 10 02 10 DC 10 00 78 08 01 00 00 00 00 00 00 00 DA";
const char *const kIdcDefaults =
    "FB EE 32 14 37 00 14 C8 16 05 0D 1B 01 00 1A 0A 00 20 04 03 00 03 00 %1 00 01 01 01 0C 43 32 DA";
// What a box (text) or list (index) shows after a block of this controller
// type is decoded; the control must be in the table.
QString shownAfterDecoding(const BlockTable &table, int type, const QString &block,
                           const QString &control)
{
    AppState state;
    state.controllerType = qint16(type);
    const ValueMap v = decoded(table, state, blockFrom(block.toLatin1().constData()));
    const int slot = table.slotOf(control);
    if (slot < 0)
        return {};
    return v.holdsIndex(slot) ? QString::number(v.indexAt(slot)) : v.at(slot);
}
} // namespace

class TestMotorIdc : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void motorDefaults_data();
    void motorDefaults();
    void motorEncoding_data();
    void motorEncoding();
    void motorDecoding_data();
    void motorDecoding();
    void hallGroupOutsideTheList();
    void unknownLayoutBytes_data();
    void unknownLayoutBytes();
    void idcDefaults_data();
    void idcDefaults();
    void idcEncoding_data();
    void idcEncoding();
    void idcDecoding_data();
    void idcDecoding();
    void idcTypeLearnedAfterTheBoxes();
    void wiringOutsideTheList_data();
    void wiringOutsideTheList();
    void readAndWriteBackKeepsEveryByte_data();
    void readAndWriteBackKeepsEveryByte();
};

void TestMotorIdc::motorDefaults_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("block");
    QTest::newRow("type 0") << 0 << kMotorDefaultsUnknown;
    QTest::newRow("type 1") << 1 << kMotorDefaultsHall;
    QTest::newRow("type 2") << 2 << kMotorDefaultsHall;
    QTest::newRow("type 3") << 3 << kMotorDefaultsBraking;
    QTest::newRow("type 4") << 4 << kMotorDefaultsUnknown;
}

void TestMotorIdc::motorDefaults()
{
    QFETCH(int, type);
    QFETCH(QString, block);
    QCOMPARE(encoded(motorTable(), type, {}), block);
}

void TestMotorIdc::motorEncoding_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("bytes"); // from offset on; empty: the write fails

    auto row = [](const char *name, int type, const char *control, const char *text, int offset,
                  const char *bytes) {
        QTest::newRow(name) << type << control << text << offset << bytes;
    };
    row("pole pairs 0 -> 1", 2, "txtPolePairN", "0", 2, "01");
    row("pole pairs 300 -> 255", 2, "txtPolePairN", "300", 2, "FF");
    row("pole pairs 2.5 half to even", 2, "txtPolePairN", "2.5", 2, "02");
    row("pole pairs letters fail", 2, "txtPolePairN", "12a", 2, "");
    row("forward 200 -> 179", 2, "txtAngle_degree_FDir", "200", 3, "B3 00");
    row("forward -181 -> -180", 2, "txtAngle_degree_FDir", "-181", 3, "B4 80");
    row("backward -5 sign bit", 2, "txtAngle_degree_BDir", "-5", 6, "05 80");
    row("square 60.5 -> 60", 2, "txtAngleSquaOffset", "60.5", 8, "3C");
    row("square 59.5 -> 60", 2, "txtAngleSquaOffset", "59.5", 8, "3C");
    row("square -3 -> 0", 2, "txtAngleSquaOffset", "-3", 8, "00");
    row("square leading number", 2, "txtAngleSquaOffset", "12deg", 8, "0C");
    row("remap A 10 -> 20", 2, "txtFrmHallSec1", "10", 9, "14");
    row("remap A 150 -> 100", 2, "txtFrmHallSec6", "150", 14, "64");
    row("over heat letters refused", 2, "txtMotHigh", "hot", 15, "");
    row("over heat 90 and letters", 2, "txtMotHigh", "90 hot", 15, "5A");
    row("hysteresis 2.5 half to even", 2, "txtMotTecoHyster", "2.5", 18, "02");
    row("switch T is an integer parse", 2, "txtMotTeco", "12x", 19, "");
    row("hall current 0 -> 1", 2, "txtHallCalibIq", "0", 21, "01");
    row("hall acc 5 -> lower bound", 2, "txtHallRefAcc", "5", 22, "01");
    row("hall acc 2559 floor", 2, "txtHallRefAcc", "2559", 22, "FF");
    row("sensor type list + 1", 2, "cboMTherType", "4", 5, "05");
    row("sensor type no selection", 2, "cboMTherType", "-1", 5, "00");
    for (int type : {1, 2}) {
        const QByteArray t = QByteArray::number(type);
        QTest::newRow("type " + t + " hall filter 0 -> 1") << type << "txtHallFilter" << "0" << 20 << "01";
        QTest::newRow("type " + t + " remap B 10 -> 20") << type << "txtFrmHallBSec1" << "10" << 24 << "14";
        QTest::newRow("type " + t + " remap B 150 -> 100") << type << "txtFrmHallBSec6" << "150" << 29 << "64";
        QTest::newRow("type " + t + " hall group B") << type << "cboHallGrp" << "1" << 30 << "01";
        QTest::newRow("type " + t + " braking box unused") << type << "txtDecHighSP" << "x" << 30 << "00";
    }
    row("type 3 dec2 1.5 floor", 3, "txtHallFilter", "15", 20, "01");
    row("type 3 reg high 4550", 3, "txtFrmHallBSec1", "4550", 24, "2D");
    row("type 3 reg low 25599 -> 255", 3, "txtFrmHallBSec2", "25599", 25, "FF");
    row("type 3 req -5000", 3, "txtFrmHallBSec3", "-5000", 26, "05");
    row("type 3 req -40000 -> 32", 3, "txtFrmHallBSec3", "-40000", 26, "20");
    row("type 3 req positive -> 0", 3, "txtFrmHallBSec3", "100", 26, "00");
    row("type 3 ebrake acc", 3, "txtFrmHallBSec4", "123", 27, "0C");
    row("type 3 dec speed 2", 3, "txtDecHighSP", "1250", 30, "0C");
    row("type 3 hall group list unused", 3, "cboHallGrp", "1", 30, "0D");
    row("type 3 dec2 parse fails", 3, "txtHallFilter", "", 20, "");
    for (int type : {0, 4}) {
        const QByteArray t = QByteArray::number(type);
        QTest::newRow("type " + t + " filter not sent") << type << "txtHallFilter" << "99" << 20 << "00";
        QTest::newRow("type " + t + " bytes 24..30 zero")
            << type << "txtFrmHallBSec1" << "70" << 24 << "00 00 00 00 00 00 00";
        QTest::newRow("type " + t + " unused box never parsed") << type << "txtFrmHallBSec3" << "?" << 26 << "00";
    }
}

void TestMotorIdc::motorEncoding()
{
    QFETCH(int, type);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(QString, bytes);
    QStringList edits{control, text};
    if (control == QLatin1String("cboHallGrp") && type == 3)
        edits = QStringList{control, text, QStringLiteral("txtDecHighSP"), QStringLiteral("1300")};
    const QString block = encoded(motorTable(), type, edits);
    if (bytes.isEmpty()) {
        QVERIFY2(block.isEmpty(), qPrintable(block));
        return;
    }
    QCOMPARE(block.mid(offset * 3, bytes.size()), bytes);
}

void TestMotorIdc::motorDecoding_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shows"); // text, or index for lists

    const char *hall = "F6 E6 10 5C 00 00 05 80 1E 3C 3D 3B 3C 3E 3A 82 6E 64 0A 78 03 1E 08 08 3C 3D 3E 3F 40 41 01 DA";
    const char *sensor9 = "F6 E6 10 5C 00 09 05 80 1E 3C 3D 3B 3C 3E 3A 82 6E 64 0A 78 03 1E 08 08 2D 02 05 32 32 08 0A DA";
    QTest::newRow("sensor byte 0 -> PTC_1k") << 2 << hall << "cboMTherType" << "0";
    QTest::newRow("sensor byte 9 -> KTY83") << 2 << sensor9 << "cboMTherType" << "4";
    QTest::newRow("backward sign-magnitude") << 2 << hall << "txtAngle_degree_BDir" << "-5";
    QTest::newRow("hall acc x10") << 2 << hall << "txtHallRefAcc" << "80";
    for (int type : {1, 2}) {
        const QByteArray t = QByteArray::number(type);
        QTest::newRow("type " + t + " filter") << type << hall << "txtHallFilter" << "3";
        QTest::newRow("type " + t + " remap B 6") << type << hall << "txtFrmHallBSec6" << "65";
        QTest::newRow("type " + t + " hall group") << type << hall << "cboHallGrp" << "1";
        QTest::newRow("type " + t + " dec2 box untouched") << type << hall << "txtDecHighSP" << "800";
    }
    QTest::newRow("type 3 dec2 of iqref") << 3 << sensor9 << "txtHallFilter" << "30";
    QTest::newRow("type 3 reg high") << 3 << sensor9 << "txtFrmHallBSec1" << "4500";
    QTest::newRow("type 3 req quantity") << 3 << sensor9 << "txtFrmHallBSec3" << "-5000";
    QTest::newRow("type 3 dec speed 2") << 3 << sensor9 << "txtDecHighSP" << "1000";
    QTest::newRow("type 3 hall group untouched") << 3 << sensor9 << "cboHallGrp" << "0";
    QTest::newRow("type 3 req zero has no sign")
        << 3 << "F6 E6 10 5C 00 09 05 80 1E 3C 3D 3B 3C 3E 3A 82 6E 64 0A 78 03 1E 08 08 2D 02 00 32 32 08 0A DA"
        << "txtFrmHallBSec3" << "0";
    for (int type : {0, 4}) {
        const QByteArray t = QByteArray::number(type);
        QTest::newRow("type " + t + " filter untouched") << type << hall << "txtHallFilter" << "140";
        QTest::newRow("type " + t + " remap B untouched") << type << hall << "txtFrmHallBSec1" << "60";
        QTest::newRow("type " + t + " common field read") << type << hall << "txtPolePairN" << "16";
    }
}

void TestMotorIdc::motorDecoding()
{
    QFETCH(int, type);
    QFETCH(QString, block);
    QFETCH(QString, control);
    QFETCH(QString, shows);
    QVERIFY(motorTable().slotOf(control) >= 0);
    QCOMPARE(shownAfterDecoding(motorTable(), type, block, control), shows);
}

void TestMotorIdc::hallGroupOutsideTheList()
{
    // A hall-group byte that names no group shows no selection and goes back
    // unchanged; once the user picks a group, the pick goes out.
    AppState state;
    state.controllerType = 2;
    Block b = blockFrom("F6 E6 10 5C 00 01 05 80 1E 3C 3D 3B 3C 3E 3A 82 6E 64 0A 78 03 1E 08 08 3C 3D 3E 3F 40 41 07 DA");
    ValueMap v = decoded(motorTable(), state, b);
    QCOMPARE(v.index(u"cboHallGrp"), -1);
    QVERIFY(encodeTable(motorTable(), state.blockParts(), v).ok());
    QCOMPARE(state.frames[FrameId::Motor][30], quint8(7));
    QVERIFY(v.setIndex(u"cboHallGrp", 0));
    QVERIFY(encodeTable(motorTable(), state.blockParts(), v).ok());
    QCOMPARE(state.frames[FrameId::Motor][30], quint8(0));
    // A later block that names a group forgets the odd byte.
    b[30] = 1;
    v = decoded(motorTable(), state, b);
    QCOMPARE(v.index(u"cboHallGrp"), 1);
    QVERIFY(!v.heldAt(motorTable().slotOf(u"cboHallGrp")));
}

void TestMotorIdc::unknownLayoutBytes_data()
{
    QTest::addColumn<bool>("motor");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("bytes");
    const QList<int> motorBytes{20, 24, 25, 26, 27, 28, 29, 30};
    for (int type = 0; type <= 4; ++type) {
        const bool known = type >= 1 && type <= 3;
        QTest::addRow("Motor type %d", type) << true << type << (known ? QList<int>{} : motorBytes);
        QTest::addRow("Idc type %d", type) << false << type << (known ? QList<int>{} : QList<int>{23});
    }
}

void TestMotorIdc::unknownLayoutBytes()
{
    QFETCH(bool, motor);
    QFETCH(int, type);
    QFETCH(QList<int>, bytes);
    QCOMPARE(bytesOfUnknownLayout(motor ? motorTable() : idcCalibTable(), type), bytes);
}

void TestMotorIdc::idcDefaults_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("byte23");
    QTest::newRow("type 0") << 0 << "00";
    QTest::newRow("type 1: always 1") << 1 << "01";
    QTest::newRow("type 2: Iq quit") << 2 << "05";
    QTest::newRow("type 3") << 3 << "00";
    QTest::newRow("type 4") << 4 << "00";
}

void TestMotorIdc::idcDefaults()
{
    QFETCH(int, type);
    QFETCH(QString, byte23);
    QCOMPARE(encoded(idcCalibTable(), type, {}), QString::fromLatin1(kIdcDefaults).arg(byte23));
}

void TestMotorIdc::idcEncoding_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("bytes"); // empty: the write fails

    auto row = [](const char *name, int type, const QStringList &edits, int offset, const char *bytes) {
        QTest::newRow(name) << type << edits << offset << bytes;
    };
    row("B H A checked", 2, {"ChkBrakeLevelH", "1"}, 4, "3F");
    row("B L A checked", 2, {"ChkBrakeLevelL", "1"}, 4, "77");
    row("forward L", 2, {"cmbForward", "0"}, 4, "36");
    row("reserve L", 2, {"cmbReserve", "0"}, 4, "17");
    row("level without selection leaves its bit 0", 2, {"cmbBrakelow", "-1"}, 4, "27");
    row("all levels L, both brakes", 2,
        {"cmbForward", "0", "cmbBackward", "0", "cmbBrakehigh", "0", "cmbBrakelow", "0", "cmbReserve", "0",
         "ChkBrakeLevelH", "1", "ChkBrakeLevelL", "1"},
        4, "48");
    row("lock time 2.5", 2, {"txtLockTmin", "2.5"}, 7, "19");
    row("lock time 30 -> 255", 2, {"txtLockTmin", "30"}, 7, "FF");
    row("lock time 1e308 -> 255", 2, {"txtLockTmin", "1e308"}, 7, "FF");
    row("project 0 -> 1", 2, {"txtProjectNum", "0"}, 8, "01 00");
    row("project 40000 -> 32767", 2, {"txtProjectNum", "40000"}, 8, "FF 7F");
    row("year 150 -> 99", 2, {"txtYearNum", "150"}, 10, "63");
    row("week 0", 2, {"txtWeekNum", "0"}, 11, "00");
    row("week 60 -> 55", 2, {"txtWeekNum", "60"}, 11, "37");
    row("serial 0 -> 1", 2, {"txtSNNum", "0"}, 12, "01 00");
    row("serial 417", 2, {"txtSNNum", "417"}, 12, "A1 01");
    row("serial empty fails", 2, {"txtSNNum", ""}, 12, "");
    row("cType 0 -> 1", 2, {"txtcType", "0"}, 14, "01");
    row("reference period 200 -> 120", 2, {"txtMosInPara", "200"}, 18, "78");
    row("Idc D2 power 20 -> 15", 2, {"txtidc_divisor_power_2", "20"}, 21, "0F");
    row("subproject never written", 2, {"txtcIdcCalibNum", "45"}, 22, "00");
    row("subproject box never parsed", 2, {"txtcIdcCalibNum", "abc"}, 22, "00");
    row("type 1 sends 1 whatever Iq quit holds", 1, {"txtIqQuit", "77"}, 23, "01");
    row("type 1 does not parse Iq quit", 1, {"txtIqQuit", "x"}, 23, "01");
    row("type 2 sends Iq quit", 2, {"txtIqQuit", "77"}, 23, "4D");
    row("type 2 Iq quit parse fails", 2, {"txtIqQuit", "x"}, 23, "");
    row("type 3 sends 0", 3, {"txtIqQuit", "77"}, 23, "00");
    row("type 0 sends 0", 0, {"txtIqQuit", "77"}, 23, "00");
    row("hall wiring index 5 -> 6", 2, {"cmbHallCType", "5"}, 26, "06");
    row("phase wiring no selection -> 1", 2, {"cmbPhaseCType", "-1"}, 27, "01");
}

void TestMotorIdc::idcEncoding()
{
    QFETCH(int, type);
    QFETCH(QStringList, edits);
    QFETCH(int, offset);
    QFETCH(QString, bytes);
    const QString block = encoded(idcCalibTable(), type, edits);
    if (bytes.isEmpty()) {
        QVERIFY2(block.isEmpty(), qPrintable(block));
        return;
    }
    QCOMPARE(block.mid(offset * 3, bytes.size()), bytes);
    // Bytes 5 and 24 are never written.
    QCOMPARE(byteAt(block, 5), QStringLiteral("00"));
    QCOMPARE(byteAt(block, 24), QStringLiteral("00"));
}

void TestMotorIdc::idcDecoding_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shows");

    const char *block = "FB ED 32 14 48 00 14 FF A1 01 18 12 A1 01 02 0A 00 20 04 03 00 03 07 09 02 01 03 05 0C 43 32 DA";
    QTest::newRow("lock time 255 -> 25.5") << 2 << block << "txtLockTmin" << "25.5";
    QTest::newRow("project") << 2 << block << "txtProjectNum" << "417";
    QTest::newRow("serial 417, no leading zeros") << 2 << block << "txtSNNum" << "417";
    QTest::newRow("week as received") << 2 << block << "txtWeekNum" << "18";
    QTest::newRow("subproject") << 2 << block << "txtcIdcCalibNum" << "7";
    QTest::newRow("byte 4 bit 0 clear -> L") << 2 << block << "cmbForward" << "0";
    QTest::newRow("byte 4 bit 3 -> B H A") << 2 << block << "ChkBrakeLevelH" << "1";
    QTest::newRow("byte 4 bit 6 -> B L A") << 2 << block << "ChkBrakeLevelL" << "1";
    QTest::newRow("byte 4 bit 5 clear") << 2 << block << "cmbReserve" << "0";
    QTest::newRow("hall wiring 3 -> index 2") << 2 << block << "cmbHallCType" << "2";
    QTest::newRow("phase wiring 5 -> index 4") << 2 << block << "cmbPhaseCType" << "4";
    QTest::newRow("type 2 shows Iq quit") << 2 << block << "txtIqQuit" << "9";
    for (int type : {0, 1, 3, 4})
        QTest::addRow("type %d keeps Iq quit", type) << type << block << "txtIqQuit" << "5";
    QTest::newRow("lock time 20 -> 2.0")
        << 2 << "FB ED 32 14 48 00 14 14 A1 01 18 12 A1 01 02 0A 00 20 04 03 00 03 07 09 02 01 03 05 0C 43 32 DA"
        << "txtLockTmin" << "2.0";
}

void TestMotorIdc::idcDecoding()
{
    QFETCH(int, type);
    QFETCH(QString, block);
    QFETCH(QString, control);
    QFETCH(QString, shows);
    QVERIFY(idcCalibTable().slotOf(control) >= 0);
    QCOMPARE(shownAfterDecoding(idcCalibTable(), type, block, control), shows);
}

void TestMotorIdc::idcTypeLearnedAfterTheBoxes()
{
    // The first block of a type-2 controller: byte 23 is decoded with the
    // old type 0 and stays hidden; the type is learned; the next read shows it.
    AppState state;
    const Block b = blockFrom("FB ED 32 14 37 00 14 C8 16 05 0D 1B 01 00 02 0A 00 20 04 03 00 03 07 09 00 01 01 01 0C 43 32 DA");
    ValueMap v = decoded(idcCalibTable(), state, b);
    QCOMPARE(state.controllerType, qint16(2));
    QCOMPARE(v.text(u"txtIqQuit"), QStringLiteral("5"));
    QCOMPARE(v.text(u"txtcType"), QStringLiteral("2"));
    v = decoded(idcCalibTable(), state, b);
    QCOMPARE(v.text(u"txtIqQuit"), QStringLiteral("9"));
    // Writing does not change the type; only a decoded block does.
    QVERIFY(v.setText(u"txtcType", QStringLiteral("3")));
    QVERIFY(encodeTable(idcCalibTable(), state.blockParts(), v).ok());
    QCOMPARE(state.controllerType, qint16(2));
    QCOMPARE(state.frames[FrameId::IdcCalib][14], quint8(3));
}

void TestMotorIdc::wiringOutsideTheList_data()
{
    QTest::addColumn<int>("hallByte");
    QTest::addColumn<int>("phaseByte");
    QTest::newRow("0 and 7") << 0 << 7;
    QTest::newRow("255 and 1") << 255 << 1;
    QTest::newRow("6 and 9") << 6 << 9;
}

void TestMotorIdc::wiringOutsideTheList()
{
    QFETCH(int, hallByte);
    QFETCH(int, phaseByte);
    AppState state;
    state.controllerType = 2;
    Block b = blockFrom("FB ED 32 14 37 00 14 C8 16 05 0D 1B 01 00 02 0A 00 20 04 03 00 03 00 05 00 01 01 01 0C 43 32 DA");
    b[26] = quint8(hallByte);
    b[27] = quint8(phaseByte);
    const ValueMap v = decoded(idcCalibTable(), state, b);
    auto shown = [](int raw) { return raw >= 1 && raw <= 6 ? raw - 1 : -1; };
    QCOMPARE(v.index(u"cmbHallCType"), shown(hallByte));
    QCOMPARE(v.index(u"cmbPhaseCType"), shown(phaseByte));
    QVERIFY(encodeTable(idcCalibTable(), state.blockParts(), v).ok());
    QCOMPARE(int(state.frames[FrameId::IdcCalib][26]), hallByte);
    QCOMPARE(int(state.frames[FrameId::IdcCalib][27]), phaseByte);
}

void TestMotorIdc::readAndWriteBackKeepsEveryByte_data()
{
    QTest::addColumn<bool>("motor");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QList<int>>("zeroed"); // bytes a write never carries
    const char *hall = "F6 E6 10 5C 00 05 46 80 1E 3C 3D 3B 3C 3E 3A 82 6E 64 0A 78 03 1E 08 08 3C 3C 3D 3B 3C 3C 00 DA";
    const char *braking = "F6 E6 10 5C 00 05 46 80 1E 3C 3D 3B 3C 3E 3A 82 6E 64 0A 78 32 1E 08 08 0A 02 05 32 32 08 0A DA";
    QTest::newRow("Motor type 1") << true << 1 << hall << QList<int>{};
    QTest::newRow("Motor type 2") << true << 2 << hall << QList<int>{};
    QTest::newRow("Motor type 3") << true << 3 << braking << QList<int>{};
    const char *idc = "FB ED 32 14 5B 00 14 1E 16 05 18 12 A1 01 %1 0A 00 20 04 03 00 03 07 %2 00 01 01 01 0C 43 32 DA";
    QTest::newRow("Idc type 1") << false << 1 << QString::fromLatin1(idc).arg("01", "01") << QList<int>{22};
    QTest::newRow("Idc type 2") << false << 2 << QString::fromLatin1(idc).arg("02", "05") << QList<int>{22};
    QTest::newRow("Idc type 3") << false << 3 << QString::fromLatin1(idc).arg("03", "00") << QList<int>{22};
}

void TestMotorIdc::readAndWriteBackKeepsEveryByte()
{
    QFETCH(bool, motor);
    QFETCH(int, type);
    QFETCH(QString, block);
    QFETCH(QList<int>, zeroed);
    const BlockTable &table = motor ? motorTable() : idcCalibTable();
    AppState state;
    state.controllerType = qint16(type);
    Block received = blockFrom(block.toLatin1().constData());
    const ValueMap v = decoded(table, state, received);
    QVERIFY(encodeTable(table, state.blockParts(), v).ok());
    Block expected = received;
    expected[1] = quint8(received[1] + 1);
    for (int at : zeroed)
        expected[std::size_t(at)] = 0;
    QCOMPARE(hexString(toByteArray(state.frames[table.definition().frame])), hexString(toByteArray(expected)));
}

QTEST_GUILESS_MAIN(TestMotorIdc)
#include "tst_motoridc.moc"
