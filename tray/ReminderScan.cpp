#include "tray/ReminderScan.h"

#include "calendar/LunarDateText.h"
#include "calendar/clsdate.h"
#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"

#include <QRegularExpression>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// A DATE column reads as a QDate; text that is no date, or Null, gives nothing.
std::optional<QDate> dateOf(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate && v.toDate().isValid())
        return v.toDate();
    if (v.typeId() == QMetaType::QString)
        return DateText::parse(v.toString());
    return std::nullopt;
}

QString monthDay(const QDate& d) {
    return QStringLiteral("%1月%2日是：").arg(d.month()).arg(d.day());
}

// "k days ahead" item text shared by festivals and solar terms.
QString aheadText(const QDate& date, const QString& name, qint64 k) {
    if (k == 0)
        return QStringLiteral("今天是 ") + name;
    return monthDay(date) + name + QStringLiteral(", 距今还有%1天。").arg(k);
}

RecordsetPtr query(const QString& sql) {
    RecordsetPtr rs = ExecuteSql(sql, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return nullptr;
    }
    return rs;
}

// "X-MM-DD" after the type letter and one separator character.
std::optional<std::pair<int, int>> monthDayCode(const QString& code) {
    static const QRegularExpression re(QStringLiteral("^.(\\d{1,2})-(\\d{1,2})$"));
    const auto m = re.match(code.mid(1));
    if (!m.hasMatch())
        return std::nullopt;
    return std::make_pair(m.captured(1).toInt(), m.captured(2).toInt());
}
} // namespace

std::optional<QDate> NextYearlyDate(int month, int day, const QDate& today) {
    for (int year : {today.year(), today.year() + 1}) {
        QDate d(year, month, day);
        if (!d.isValid() && month == 2 && day == 29)
            d = QDate(year, 2, 28);
        if (!d.isValid())
            return std::nullopt;
        if (today.daysTo(d) >= 0)
            return d;
    }
    return std::nullopt;
}

std::optional<QDate> NextLunarDate(int lunarMonth, int lunarDay, const QDate& today) {
    clsdate now;
    now.用公历对类进行初始化(today);
    if (!now.isValid())
        return std::nullopt;
    for (int year : {now.农历年(), now.农历年() + 1}) {
        clsdate f;
        f.lInitDate(year, lunarMonth, lunarDay, false);
        if (f.isValid() && today.daysTo(f.date()) >= 0)
            return f.date();
    }
    return std::nullopt;
}

QString getWHoliday(const QString& rule, const QDate& today) {
    static const QRegularExpression re(QStringLiteral("^(\\d\\d)-(\\d\\d)-(\\d\\d)$"));
    const auto m = re.match(rule);
    const QString none = QStringLiteral("-1");
    if (!m.hasMatch())
        return none;
    const int month = m.captured(1).toInt(), n = m.captured(2).toInt(), w = m.captured(3).toInt();
    if (month != today.month() || w > 6)
        return none;
    // Weekdays counted 1 = Sunday … 7 = Saturday, as the rule's 0 = Sunday … 6 = Saturday plus one.
    const int firstWeekday = QDate(today.year(), today.month(), 1).dayOfWeek() % 7 + 1;
    const int first = 1 + ((w + 1 - firstWeekday) % 7 + 7) % 7;
    const int day = first + 7 * (n - 1);
    const QDate date(today.year(), today.month(), day);
    if (day < 1 || !date.isValid())
        return none;
    const qint64 k = today.daysTo(date);
    if (k < 0 || k > 7)
        return none;
    return QStringLiteral("%1:%2").arg(k).arg(day);
}

QString ComposeReminder(const QDateTime& now, const QStringList& items) {
    const QDate today = now.date();
    QString text = QStringLiteral("老板") +
                   QStringLiteral(",您好,今天是 %1年%2月%3日,农历")
                       .arg(today.year())
                       .arg(today.month())
                       .arg(today.day()) +
                   LunarDateText(today) + QStringLiteral(",") + clsdate::weekdayName(today) +
                   QStringLiteral("。现在时间是") + now.time().toString(QStringLiteral("HH:mm:ss")) +
                   QStringLiteral("。我有 %1 件事情要提醒您，可别忘记了哦:").arg(items.size());
    for (const QString& item : items)
        text += kCrLf + kCrLf + item;
    text += kCrLf + kCrLf + QStringLiteral("记住了吗？按右键让我一会儿再提醒您。") + kCrLf +
            QStringLiteral("(欢迎使用Orvane软件)");
    return text;
}

void ReminderScan::add(ReminderItem::Kind kind, const QString& body) {
    m_items.append({kind, QStringLiteral("%1) ").arg(m_items.size() + 1) + body});
}

void ReminderScan::scanBirthdays(const QDate& today) {
    const RecordsetPtr rs = query(QStringLiteral("select * from [联系人] where [生日提醒]='提醒'"));
    if (!rs)
        return;
    const int nameCol = rs->FieldIndex(QStringLiteral("姓名"));
    const int birthdayCol = rs->FieldIndex(QStringLiteral("生日"));
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        const auto birthday = dateOf(rs->Value(birthdayCol));
        if (!birthday)
            continue;
        const auto next = NextYearlyDate(birthday->month(), birthday->day(), today);
        if (!next)
            continue;
        const qint64 k = today.daysTo(*next);
        if (k > 7)
            continue;
        const QString name = rs->Value(nameCol).toString();
        add(ReminderItem::Birthday,
            k == 0 ? QStringLiteral("今天是 ") + name + QStringLiteral(" 的生日！")
                   : monthDay(*next) + name + QStringLiteral("的生日,距今还有%1天。").arg(k));
    }
    rs->Close();
}

void ReminderScan::scanAppointments(const QDate& today) {
    const RecordsetPtr rs = query(QStringLiteral("select * from [拜访] where [需要提醒]='需要提醒'"));
    if (!rs)
        return;
    const int fromCol = rs->FieldIndex(QStringLiteral("开始提醒时间"));
    const int toCol = rs->FieldIndex(QStringLiteral("结束提醒时间"));
    const int workCol = rs->FieldIndex(QStringLiteral("工作开始时间"));
    const int whatCol = rs->FieldIndex(QStringLiteral("拜访事项"));
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        const auto from = dateOf(rs->Value(fromCol));
        const auto to = dateOf(rs->Value(toCol));
        if (!from || !to || from->daysTo(today) < 0 || today.daysTo(*to) < 0)
            continue;
        const QString what = rs->Value(whatCol).toString();
        const auto work = dateOf(rs->Value(workCol));
        if (work && today.daysTo(*work) > 0)
            add(ReminderItem::Appointment,
                monthDay(*work) + what + QStringLiteral(", 距今还有%1天。").arg(today.daysTo(*to)));
        else
            add(ReminderItem::Appointment, QStringLiteral("今天有个约会：") + what);
    }
    rs->Close();
}

void ReminderScan::scanFestivals(const QDate& today) {
    const RecordsetPtr rs = query(QStringLiteral("select * from [节日]"));
    if (!rs)
        return;
    const int codeCol = rs->FieldIndex(QStringLiteral("日期"));
    const int nameCol = rs->FieldIndex(QStringLiteral("节日名称"));
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        const QString code = rs->Value(codeCol).toString().trimmed();
        const QChar kind = code.isEmpty() ? QChar() : code.at(0);
        std::optional<QDate> date;
        if (kind == QLatin1Char('A') || (kind == QLatin1Char('D') && AppSettings.Holiday)) {
            if (const auto md = monthDayCode(code))
                date = NextYearlyDate(md->first, md->second, today);
        } else if (kind == QLatin1Char('B')) {
            if (const auto md = monthDayCode(code))
                date = NextLunarDate(md->first, md->second, today);
        } else if (kind == QLatin1Char('C')) {
            const QString r = getWHoliday(code.mid(2), today);
            if (r != QLatin1String("-1"))
                date = QDate(today.year(), today.month(), r.section(QLatin1Char(':'), 1).toInt());
        }
        if (!date)
            continue;
        const qint64 k = today.daysTo(*date);
        if (k >= 0 && k <= 7)
            add(ReminderItem::Festival, aheadText(*date, rs->Value(nameCol).toString(), k));
    }
    rs->Close();
}

void ReminderScan::scanSolarTerms(const QDate& today) {
    clsdate day;
    for (int g = 0; g <= 7; ++g) {
        const QDate d = today.addDays(g);
        day.用公历对类进行初始化(d);
        const QString term = day.返回农历节气().trimmed();
        if (!term.isEmpty())
            add(ReminderItem::SolarTerm, aheadText(d, term, g));
    }
}

QString ReminderScan::run() {
    tickCounter = qint16(tickCounter + 1);
    if (tickCounter < tickThreshold)
        return {};
    tickCounter = 0;

    const QDateTime now = Clock::get().now();
    const QDate today = now.date();
    m_items.clear();
    scanBirthdays(today);
    scanAppointments(today);
    scanFestivals(today);
    scanSolarTerms(today);
    if (m_items.isEmpty())
        return {};
    QStringList texts;
    for (const ReminderItem& item : m_items)
        texts << item.text;
    return ComposeReminder(now, texts);
}
