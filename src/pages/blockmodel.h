#pragma once
// What a parameter page holds, without the window: the values of its
// editors (held received values included), the fields the controller type
// has hidden, and the last block received. A page window is a view of its
// model; the model lives as long as the page "exists" in the navigation
// sense and goes back to the design-time defaults when the page is closed.

#include "pages/engine/fieldcodec.h"

#include <QList>
#include <QObject>

#include <optional>

class BlockModel : public QObject
{
    Q_OBJECT
public:
    explicit BlockModel(const BlockTable &table, QObject *parent = nullptr);

    const BlockTable &table() const { return m_table; }
    FrameId family() const { return m_table.definition().frame; }

    const ValueMap &values() const { return m_values; }
    // Every value at once (a decoded reply, values set by a tool): changed().
    void setValues(const ValueMap &values);
    // One editor as a view set it: edited(slot), no changed(). A list index
    // picked by the user also drops the held received value of the slot
    // (`picked`), so the pick is written as chosen.
    void setText(int slot, const QString &text);
    void setIndex(int slot, int index, bool picked = false);

    // The design-time defaults, every field visible again, nothing received.
    void reset();

    // Fields the controller type hides, one way: hidden until reset().
    bool isHidden(int slot) const { return m_hidden.value(slot, false); }
    // Hides these slots (hiddenChanged() when one was visible).
    void hide(const QList<int> &which);

    // The last block decoded into the model since the last reset.
    const std::optional<Block> &received() const { return m_received; }
    void setReceived(const Block &block) { m_received = block; }

signals:
    void changed();
    void edited(int slot);
    void hiddenChanged();

private:
    const BlockTable &m_table;
    ValueMap m_values;
    QList<bool> m_hidden;
    std::optional<Block> m_received;
};
