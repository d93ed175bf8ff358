#include "pages/blockmodel.h"

BlockModel::BlockModel(const BlockTable &table, QObject *parent)
    : QObject(parent), m_table(table), m_values(table), m_hidden(table.slotCount(), false)
{
}

void BlockModel::setValues(const ValueMap &values)
{
    Q_ASSERT(&values.table() == &m_table);
    if (values == m_values)
        return;
    m_values = values;
    emit changed();
}

void BlockModel::setText(int slot, const QString &text)
{
    if (slot < 0 || slot >= m_values.size() || m_values.at(slot) == text)
        return;
    m_values.setAt(slot, text);
    emit edited(slot);
}

void BlockModel::setIndex(int slot, int index, bool picked)
{
    if (slot < 0 || slot >= m_values.size())
        return;
    const bool dropHeld = picked && m_values.heldAt(slot).has_value();
    if (m_values.indexAt(slot) == index && !dropHeld)
        return;
    m_values.setIndexAt(slot, index);
    if (dropHeld)
        m_values.setHeldAt(slot, std::nullopt);
    emit edited(slot);
}

void BlockModel::reset()
{
    m_received.reset();
    const bool wasHidden = m_hidden.contains(true);
    m_hidden.fill(false);
    setValues(ValueMap(m_table));
    if (wasHidden)
        emit hiddenChanged();
}

void BlockModel::hide(const QList<int> &hiddenSlots)
{
    bool changed = false;
    for (int slot : hiddenSlots) {
        if (slot >= 0 && slot < m_hidden.size() && !m_hidden[slot]) {
            m_hidden[slot] = true;
            changed = true;
        }
    }
    if (changed)
        emit hiddenChanged();
}
