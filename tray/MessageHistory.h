#pragma once
// The store of reminder texts behind the popup: slot 0 starts empty, the first text goes into a
// new slot 1 and later ones replace it. Paging moves the current index between the slots.
#include <QString>
#include <QStringList>

class MessageHistory {
public:
    // A new reminder text: stored in the last slot (a new one when the last is empty).
    void add(const QString& text);
    // The text of the slot before (or after) the current one, the index kept within the slots.
    QString previous();
    QString next();
    // Before a fresh scan: slot 0 empty again, no slot current.
    void reset();
    // The tray window closes: only slot 0 is left.
    void trim();

    const QStringList& texts() const { return m_slots; }
    int index() const { return m_index; }
    bool previousEnabled() const { return m_previousEnabled; }
    bool nextEnabled() const { return m_nextEnabled; }

private:
    QStringList m_slots{QString()};
    int m_index = -1;
    bool m_previousEnabled = false;
    bool m_nextEnabled = false;
};
