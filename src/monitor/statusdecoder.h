#pragma once
// The live-status block DF EF turned into what the status and fault panels
// show: label texts, colours and visibility, keyed by the labels' names.
// No widgets here; the panel applies the result.

#include "core/frames.h"
#include "core/language.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <functional>
#include <vector>

struct StatusParts;

struct FaultRow
{
    const char *nameLabel;    // the row's label, lblfrmErrHall
    const char *currentCell;  // lblfrmErrHallC
    const char *historyCell;  // lblfrmErrHallH
    const char *description;  // lblfrmErrHallD
    quint16 currentMask;
    quint16 historyMask;
    TrText caption;           // English texts, context "frmMain"
    TrText descriptionText;
};

// The rows of the fault table, top to bottom. The thermistor rows use swapped
// bits in the two words; "BMS Err" has no bit at all.
extern const std::array<FaultRow, 11> kFaultRows;

// The nineteen value labels that show "***" until the first block arrives.
extern const std::array<const char *, 19> kStatusValueLabels;

inline constexpr int kColorRedBgr = 255;
inline constexpr int kColorGreenBgr = 65280;
inline constexpr int kColorBlackBgr = 0;

struct StatusView
{
    struct Label
    {
        const char *name;
        QString text;
        int color = -1;       // 24-bit, red in the low byte; -1 leaves the colour alone
        bool present = true;  // false: the label gets nothing from this block
    };
    struct Visibility
    {
        const char *name;
        bool visible;
    };

    std::vector<Label> labels; // in the order the decoder writes them
    std::vector<Visibility> visibility;

    // The heating-test alert fired on this block.
    bool alertFired = false;
    qint64 alertElapsedSeconds = 0;
    QDateTime alertStopTime;

    const Label *label(const char *name) const;
    QString text(const char *name) const;
    bool isVisible(const char *name) const;
};

// Decodes live-status blocks one after another. The view is kept from block
// to block and a text is made again only when the bytes it shows (or the
// language) changed: a flood of blocks costs little more than copying them.
// The texts, colours and their order are those of a fresh decode.
class StatusDecoder
{
public:
    StatusDecoder();

    // The time of the heating-test alert; asked only when the alert fires.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

    // Decodes the status buffer: fills the live values for the
    // recorder, clears the sign bits of the sign-magnitude fields in the
    // buffer (it holds the magnitudes afterwards), and fires the
    // heating-test alert once per arming when the power stage reaches 100
    // degrees. The view stays valid until the next call.
    const StatusView &decode(StatusParts parts);
    const StatusView &view() const { return m_view; }

private:
    StatusView m_view;
    std::vector<QString> m_spare; // per label: the string the view does not hold now
    Block m_last{};        // the previous block as it came, sign bits included
    int m_lastLanguage = 0;
    bool m_fresh = true;   // nothing decoded yet: every text is made
    std::function<QDateTime()> m_now;
};

// One block on its own, decoded from scratch; `now` is the time of the block.
StatusView decodeStatus(StatusParts parts, const QDateTime &now);

// The multi-line I/O status text for the input-level byte, in the current
// language (a null string for any other language code).
QString ioStatusText(quint8 levels, int languageCode);
// The label's text before any block: every level high, and the English Eco
// line with its one extra blank.
QString ioStatusInitialText(int languageCode);

// "03:07" for 187 seconds.
QString minutesSeconds(qint64 seconds);
