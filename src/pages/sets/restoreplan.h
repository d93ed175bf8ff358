#pragma once
// What a restore writes: per block, the controller's current bytes with the
// fields the user ticked taken from the file. Nothing else of the file goes
// to the controller: unticked fields keep the controller's values, and the
// codes and constant bytes are what the block's encoder makes them. Then a
// read-back is checked byte by byte against what was written.

#include "pages/sets/setcompare.h"

#include <QList>
#include <QString>
#include <QStringList>

struct RestoreTick
{
    FrameId family = FrameId::None;
    QString control; // txtMaxspeed
};

struct RestoreRequest
{
    QList<RestoreTick> ticked;
    // The Idc calibration and User information blocks are written only when
    // named here as well: a tick of "everything" never reaches them.
    QList<FrameId> explicitBlocks;
    // Typed by the user when the file is of another controller type than the
    // controller: its name ("type 3", or 3) confirms it.
    QString confirmedType;
    // Zeros may go into bytes whose layout the controller type does not tell.
    bool unknownLayoutConfirmed = false;
};

struct PlannedBlock
{
    FrameId family = FrameId::None;
    Block block{};        // the write block
    QStringList controls; // the ticked fields it takes from the file
};

struct RestorePlan
{
    bool refused = false;
    QString refusal;            // why nothing may be written, in the language
    QList<PlannedBlock> blocks; // in backup order
    QStringList notes;          // ticks left out and why, in the language
};

// Every writable difference outside the Idc calibration and User information blocks.
QList<RestoreTick> defaultTicks(const SetComparison &comparison);

// "type 3" in the language.
QString controllerTypeName(int type, int languageCode);
// The user typed the type's name (in either language) or its number.
bool confirmsControllerType(const QString &typed, int type);

RestorePlan planRestore(const ParameterSet &file, const ParameterSet &controller, const RestoreRequest &request,
                        int languageCode);

struct Verification
{
    bool verified = false;
    bool otherBlock = false;   // the read-back is not a reply of the block's family
    QList<int> bytes;          // offsets that differ
    QStringList fields;        // captions (or "byte N") that differ, in the language
    QString message;           // "verified" or what differs, in the language
};

// Compares every byte the write set (the fields of the controller type and
// the constant bytes); bytes the encoder leaves 0 and fields that are only
// shown are the controller's own.
Verification verifyReadBack(FrameId family, const Block &written, const Block &readBack, int controllerType,
                            int languageCode);
