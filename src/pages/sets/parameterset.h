#pragma once
// A parameter set: every block of one controller (or of a file, or the
// pages' design-time defaults) as raw bytes, with where and when it was
// taken. The raw bytes are the authority; everything else in a set file is
// said about them.

#include "core/frames.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// Who the controller is, from its Idc calibration block.
struct SetIdentity
{
    int projectNumber = 0; // txtProjectNum
    int serialNumber = 0;  // txtSNNum
    int year = 0;          // txtYearNum
    int week = 0;          // txtWeekNum
    int subproject = 0;    // txtcIdcCalibNum
    bool operator==(const SetIdentity &) const = default;
};

SetIdentity identityOf(const Block &idcBlock);
// The controller type an Idc block names.
int controllerTypeOf(const Block &idcBlock);

class ParameterSet
{
public:
    // Where the blocks came from.
    QString toolVersion;
    QString toolCommit;
    QDateTime time;
    QString port;
    QString portSettings;
    // The model text of the subproject number, as the status bar shows it
    // (calib's mcuModelText, in English); set by whoever made the set.
    QString model;

    // The type the blocks were taken from: byte 14 of the Idc block, or, when
    // the set has none, what the maker knew.
    int controllerType() const { return m_controllerType; }
    void setControllerType(int type) { m_controllerType = type; }

    // A block of the family, or none when the set misses it. Setting the Idc
    // block also sets the controller type from its byte 14.
    const std::optional<Block> &block(FrameId family) const;
    void setBlock(FrameId family, const Block &bytes);
    void clearBlock(FrameId family);

    // From the Idc block; none without it.
    std::optional<SetIdentity> identity() const;
    // The families it misses, in backup order.
    QList<FrameId> missing() const;
    bool partial() const { return !missing().isEmpty(); }

    // The pages' design-time defaults, encoded for the controller type, in a
    // set without a time or a port. Identity and calibration have no defaults
    // (the Idc block is missing); a table whose defaults do not encode is
    // missing too, and `failed` (when given) lists it.
    static ParameterSet designDefaults(int controllerType, QList<FrameId> *failed = nullptr);

private:
    std::array<std::optional<Block>, 12> m_blocks;
    int m_controllerType = 0;
};
