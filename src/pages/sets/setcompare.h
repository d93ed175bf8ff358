#pragma once
// Two parameter sets side by side, field by field, on what the bytes hold for
// the controller type of the second set (the controller, when one is
// compared): a file against a file, a file against the controller, the
// controller against the pages' defaults.

#include "pages/sets/parameterset.h"

#include <QList>
#include <QString>

struct FieldDifference
{
    int field = -1; // into the block's table
    QString control;
    QString caption; // in the language
    QString unit;
    QString first, second;           // as the page shows them
    QString firstBytes, secondBytes; // "1F 00": what tells equal texts apart
    bool writable = true;            // a restore can take it (not a field that is only shown)
};

struct BlockComparison
{
    enum class State {
        Compared,
        MissingInFirst,
        MissingInSecond,
    };
    FrameId family = FrameId::None;
    QString title; // in the language
    State state = State::Compared;
    int changed = 0;
    int unchanged = 0;
    int notForType = 0; // fields of other controller types
    QList<FieldDifference> differences;
};

struct SetComparison
{
    int controllerType = 0; // the fields were compared for this type (the second set's)
    QList<BlockComparison> blocks; // in backup order
    int changed = 0;
    int unchanged = 0;
    int notForType = 0;
    int notComparable = 0; // blocks missing from one side
    bool typeDiffers = false;
    bool serialDiffers = false;
    QStringList warnings; // in the language

    bool equal() const { return changed == 0 && notComparable == 0; }
    const BlockComparison *block(FrameId family) const;
};

SetComparison compareSets(const ParameterSet &first, const ParameterSet &second, int languageCode,
                          QChar decimalPoint = u'.');
