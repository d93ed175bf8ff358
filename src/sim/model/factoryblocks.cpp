#include "factoryblocks.h"

#include <initializer_list>

namespace sim {

quint8 readCodeFor(quint8 command)
{
    return command == kIdcCommand ? 0xED : quint8(command - 0x10);
}

quint8 writeCodeFor(quint8 command)
{
    return command == kIdcCommand ? 0xEE : quint8(command - 0x0F);
}

namespace {

void putBytes(RawBlock &b, int at, std::initializer_list<int> values)
{
    for (int v : values)
        putU8(b, at++, v);
}

RawBlock basic()
{
    RawBlock b = makeRaw(0xF0, 0xE0);
    putU16(b, 2, 1200); // max speed, rpm
    putU16(b, 4, 300);  // reverse speed limit, stored positive
    putU16(b, 6, 800);  // ECO speed
    putU16(b, 8, 1500); // Iq ramps
    putU16(b, 10, 2000);
    putU16(b, 12, 750);
    putU16(b, 14, 750);
    putU16(b, 16, 40); // Id ramps
    putU16(b, 18, 20);
    putU16(b, 20, 30);
    putU8(b, 22, 15);   // Id back to zero below 1500 rpm
    putU16(b, 23, 180); // MOSFET peak current at the two temperatures
    putU16(b, 25, 150);
    putU8(b, 27, 60);
    putU8(b, 28, 90);
    putU16(b, 29, 180); // max phase current peak
    return b;
}

RawBlock reference()
{
    RawBlock b = makeRaw(0xF2, 0xE2);
    putU16(b, 2, 9000);  // over-voltage 90.00 V
    putU16(b, 4, 8800);  //   recovers at 88.00 V
    putU16(b, 6, 6000);  // under-voltage 60.00 V
    putU16(b, 8, 6300);  //   recovers at 63.00 V
    putU16(b, 10, 8600); // regeneration window
    putU16(b, 12, 8200);
    putU16(b, 14, 6400); // DC current limit window
    putU16(b, 16, 6150);
    putBytes(b, 18, {50, 30, 12, 20, 100});
    putU16(b, 23, 88);
    putBytes(b, 25, {80, 60, 90, 70});
    putU16(b, 29, 120);
    return b;
}

RawBlock control()
{
    RawBlock b = makeRaw(0xF4, 0xE4);
    putU16(b, 2, 12);
    putU16(b, 4, 8);
    putU16(b, 6, 8);
    putU16(b, 8, 30);
    putU16(b, 10, 200);
    putU16(b, 12, 5);
    putSm16(b, 14, 30);  // motor lock angles
    putSm16(b, 16, -30);
    putU16(b, 18, 5);
    putU16(b, 20, 100); // speed PID steps
    putU16(b, 22, 400);
    putU16(b, 24, 800);
    putU8(b, 26, 40);
    putU16(b, 27, 30);
    putU16(b, 29, 10);
    return b;
}

RawBlock motor(int type)
{
    RawBlock b = makeRaw(0xF6, 0xE6);
    putU8(b, 2, 16); // pole pairs
    putSm16(b, 3, 92);
    putU8(b, 5, 5); // KTY83 sensor (list index + 1)
    putSm16(b, 6, -70);
    putU8(b, 8, 30);
    putBytes(b, 9, {60, 61, 59, 60, 62, 58}); // hall group A sectors
    putBytes(b, 15, {130, 110, 100, 10, 120}); // motor temperatures
    putBytes(b, 21, {30, 8, 8});               // hall calibration current and ramps
    if (type == 3) {
        putU8(b, 20, 50); // dec2 of Iq reference, x10
        putBytes(b, 24, {10, 2, 5, 50, 50, 8, 10});
    } else {
        putU8(b, 20, 3); // hall noise filter
        putBytes(b, 24, {60, 60, 61, 59, 60, 60}); // hall group B sectors
        putU8(b, 30, 0);                           // hall group A active
    }
    return b;
}

RawBlock protection()
{
    RawBlock b = makeRaw(0xF8, 0xE8);
    putBytes(b, 2, {60, 30, 85, 80, 100, 95, 80, 110, 90, 95});
    const int points[] = {180, 175, 170, 160, 150, 140};
    for (int i = 0; i < 6; ++i)
        putU16(b, 12 + 2 * i, points[i]);
    putBytes(b, 24, {130, 40, 120, 100, 85, 70, 55});
    return b;
}

RawBlock other()
{
    RawBlock b = makeRaw(0xFE, 0xEE);
    putBytes(b, 2, {60, 3, 5, 50, 45, 40});
    putU8(b, 8, 0x3B);    // forward, backward, alarm, brake stop, motor protection
    putU16(b, 9, 11000);  // throttle low 1.100 V
    putU16(b, 11, 40000); // throttle high 4.000 V
    putU16(b, 13, 25000); // throttle mid 2.500 V
    const int steps[] = {120, 110, 100, 90, 80, 70, 60};
    for (int i = 0; i < 7; ++i)
        putU16(b, 15 + 2 * i, steps[i]);
    putBytes(b, 29, {55, 50});
    return b;
}

RawBlock assist()
{
    RawBlock b = makeRaw(0xD0, 0xC0);
    putBytes(b, 2, {1, 20, 40, 60, 80, 100, 3});
    return b;
}

RawBlock torquePid()
{
    RawBlock b = makeRaw(0xD2, 0xC2);
    putBytes(b, 2, {1, 5, 2, 10, 2, 10, 2, 20, 6});
    putU16(b, 11, 100);
    putU8(b, 13, 6);
    putU16(b, 14, 100);
    putU8(b, 16, 6);
    putU16(b, 17, 200);
    putU8(b, 19, 6);
    putU16(b, 20, 200);
    putBytes(b, 22, {4, 3});
    putU16(b, 24, 64);
    putBytes(b, 26, {4, 3});
    putU16(b, 28, 64);
    putU8(b, 30, 20); // motor lock ramp, x100
    return b;
}

RawBlock fluxWeaken(int type)
{
    RawBlock b = makeRaw(0xD6, 0xC6);
    putU8(b, 3, 1); // flux sign 0, stored + 1
    putU16(b, 4, 10);
    putU16(b, 6, 160);
    putU16(b, 8, 320);
    putBytes(b, 10, {0, 0, 5, 10, 15, 20});
    if (type == 1) {
        const int points[] = {25, 30, 35, 40, 45, 50};
        for (int i = 0; i < 6; ++i)
            putU16(b, 16 + 2 * i, points[i]);
    } else {
        putBytes(b, 16, {25, 30, 35, 40, 45, 50, 55, 60, 40, 45, 50, 55, 60});
    }
    putBytes(b, 29, {200, 0});
    return b;
}

RawBlock derate()
{
    RawBlock b = makeRaw(0xD5, 0xC5);
    putBytes(b, 2, {30, 30, 10, 10});
    const int eco[] = {150, 140, 130, 120, 110, 100, 90};
    for (int i = 0; i < 7; ++i)
        putU16(b, 6 + 2 * i, eco[i]);
    putBytes(b, 20, {80, 70, 60, 50});
    putU16(b, 24, 500);
    putBytes(b, 26, {50, 10, 60, 30, 9});
    return b;
}

RawBlock modeSet()
{
    RawBlock b = makeRaw(0xD7, 0xC7);
    putBytes(b, 2, {40, 70, 100, 120});      // mode speeds, x10 rpm
    putBytes(b, 6, {40, 60, 80, 100, 120});  // mode DC currents
    putBytes(b, 11, {120, 3, 3, 10, 2, 15, 20, 20});
    return b;
}

RawBlock idcCalib(int type)
{
    RawBlock b = makeRaw(kIdcCommand, 0xED);
    putBytes(b, 2, {50, 20, 0x5B, 0, 20, 30});
    putU16(b, 8, 1302); // project
    putBytes(b, 10, {24, 18});
    putU16(b, 12, 417); // serial number
    putU8(b, kIdcTypeByte, type);
    putU8(b, 15, 10);
    putU16(b, 16, 8192);
    putU8(b, 18, 4);
    putU16(b, 19, 3); // Idc gain 3 / 2^3
    putU8(b, 21, 3);
    putU8(b, kIdcModelByte, 7);
    putU8(b, 23, type == 2 ? 5 : type == 1 ? 1 : 0);
    putU8(b, kIdcCalibCountByte, 0);
    putBytes(b, 25, {1, 1, 1, 12, 67, 50});
    return b;
}

RawBlock userInfo()
{
    RawBlock b = makeRaw(kUserInfoCommand, 0xE1);
    b[2] = kUserInfoTag;
    const QByteArray name("TESTBENCH");
    const QByteArray password("2468");
    for (int i = 0; i < name.size(); ++i)
        b[3 + i] = quint8(name[i]);
    for (int i = 0; i < password.size(); ++i)
        b[23 + i] = quint8(password[i]);
    return b;
}

} // namespace

BlockStore factoryBlocks(int controllerType)
{
    BlockStore s;
    for (const RawBlock &b : {basic(), reference(), control(), motor(controllerType), protection(),
                              other(), assist(), torquePid(), fluxWeaken(controllerType), derate(),
                              modeSet(), idcCalib(controllerType), userInfo()})
        s[b[0]] = b;
    return s;
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace sim
