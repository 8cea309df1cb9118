#pragma once
// The reminder scan: contacts' birthdays, appointments, user festivals and solar terms of the
// coming week, numbered under a greeting line. Today comes from the clock of core; no widgets.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

struct ReminderItem {
    enum Kind { Birthday, Appointment, Festival, SolarTerm };
    Kind kind;
    QString text; // numbered: "1) 今天是 …"
};

class ReminderScan {
public:
    // Runs behind the tick gate. Returns the composed reminder text; empty when the gate held
    // the scan back or nothing falls in the coming week. A failed query shows the "错误" box and
    // skips that kind of item.
    QString run();

    // The gate: the scan runs when the counter, raised by one, reaches the threshold.
    qint16 tickCounter = 11;
    qint16 tickThreshold = 11;

    // The items of the last scan that ran, in order.
    const QVector<ReminderItem>& items() const { return m_items; }

private:
    void add(ReminderItem::Kind kind, const QString& body);
    void scanBirthdays(const QDate& today);
    void scanAppointments(const QDate& today);
    void scanFestivals(const QDate& today);
    void scanSolarTerms(const QDate& today);

    QVector<ReminderItem> m_items;
};

// rule "MM-NN-WW": the NN-th weekday WW (0 = Sunday) of month MM. "k:d" when that day of the
// current month lies k = 0 … 7 days from today; "-1" otherwise (another month, a day past the
// month's end, a malformed rule).
QString getWHoliday(const QString& rule, const QDate& today);

// The next date on or after today with this Gregorian month and day: this year's, or next
// year's once this year's has passed. 29 February falls on 28 February in a common year.
std::optional<QDate> NextYearlyDate(int month, int day, const QDate& today);

// The next date on or after today of this lunar month and day (the ordinary month, never the
// leap one), from the current lunar year or the next. Nothing when the day does not exist in
// those years or today lies outside the lunar table.
std::optional<QDate> NextLunarDate(int lunarMonth, int lunarDay, const QDate& today);

// Greeting line, the items separated by blank lines, and the closing lines (CR LF line breaks).
QString ComposeReminder(const QDateTime& now, const QStringList& items);
