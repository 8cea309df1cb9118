#include "tray/MessageHistory.h"

#include <algorithm>

void MessageHistory::add(const QString& text) {
    if (m_slots.last().isEmpty())
        m_slots.append(QString());
    m_slots.last() = text;
    m_index = int(m_slots.size()) - 1;
    m_previousEnabled = true;
    m_nextEnabled = false;
}

QString MessageHistory::previous() {
    m_index = std::max(m_index - 1, 0);
    m_nextEnabled = m_index + 1 < m_slots.size();
    return m_slots.at(m_index);
}

// The mirror of previous(); it also closes itself at the last slot.
QString MessageHistory::next() {
    m_index = std::clamp(m_index + 1, 0, int(m_slots.size()) - 1);
    m_previousEnabled = m_index > 0;
    m_nextEnabled = m_index + 1 < m_slots.size();
    return m_slots.at(m_index);
}

void MessageHistory::reset() {
    m_slots.first().clear();
    m_index = -1;
}

void MessageHistory::trim() {
    while (m_slots.size() > 1)
        m_slots.removeLast();
}
