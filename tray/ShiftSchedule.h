#pragma once
// The rotating shifts of four crews over an eight-day cycle, and the reference text that records
// where crew 甲 stands on a given day ("2008-01-01:3").
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace ShiftSchedule {

// "白班", "白班", "中班", "中班", "休息", "夜班", "夜班", "休息"
const QStringList& cycle();
// "甲班", "乙班", "丙班", "丁班"
const QStringList& crews();
// "1小时", "2小时", "3小时"
const QStringList& leadTimes();

struct Reference {
    QDate date;
    int position = -1; // of crew 甲 on `date`, 0 … 7
};

// The date in the short date form, ":" and the position.
QString referenceText(const QDate& date, int position);
// Read at the last ":"; nothing when the date does not parse or the position lies outside 0 … 7.
std::optional<Reference> parseReference(const QString& text);

// The shift of crew 0 (甲) … 3 (丁) on `day`. Each crew follows the one before it by two days,
// so every day one crew works each shift and one rests.
QString shiftOn(const Reference& ref, int crew, const QDate& day);
// Hours of a lead-time text ("2小时" → 2); 0 for anything else.
int leadHours(const QString& text);

} // namespace ShiftSchedule
