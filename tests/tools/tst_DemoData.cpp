// The festival rows a new database file comes with, read back from a file made by the init tool.
#include "calendar/clsdate.h"
#include "core/modDBCommand.h"
#include "tests/support/TempHome.h"

#include <QtTest>

namespace {
// "B-MM-DD:name" entries, sorted, so a failed comparison prints both lists.
using Festivals = QStringList;

// The lunar rows (B-MM-DD) of the fresh file.
Festivals lunarRows() {
    Festivals rows;
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [节日]"), message);
    if (!rs || IsSqlError(message))
        return rows;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        const QString code = rs->Value(QStringLiteral("日期")).toString();
        if (code.startsWith(QLatin1Char('B')))
            rows << code + QLatin1Char(':') + rs->Value(QStringLiteral("节日名称")).toString();
    }
    rows.sort();
    return rows;
}

// Every lunar festival the calendar shows in one lunar year, in the same form; 除夕 has no fixed
// month-day and is left out.
Festivals calendarFestivals(int lunarYear) {
    Festivals shown;
    clsdate first, next;
    first.lInitDate(lunarYear, 1, 1, false);
    next.lInitDate(lunarYear + 1, 1, 1, false);
    for (QDate d = first.date(); d < next.date(); d = d.addDays(1)) {
        clsdate day;
        day.用公历对类进行初始化(d);
        const QString name = day.返回农历节日();
        if (!name.isEmpty() && name != QStringLiteral("除夕") && !day.是否闰年())
            shown << QStringLiteral("B-%1-%2:%3")
                         .arg(day.农历月(), 2, 10, QLatin1Char('0'))
                         .arg(day.农历日(), 2, 10, QLatin1Char('0'))
                         .arg(name);
    }
    shown.sort();
    return shown;
}
} // namespace

class tst_DemoData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lunarFestivalsMatchTheCalendar_data();
    void lunarFestivalsMatchTheCalendar();
};

void tst_DemoData::lunarFestivalsMatchTheCalendar_data() {
    QTest::addColumn<bool>("demo");
    QTest::newRow("base file") << false;
    QTest::newRow("demo file") << true;
}

// The reminder popup and the calendar window must name the same lunar festivals on the same days.
void tst_DemoData::lunarFestivalsMatchTheCalendar() {
    QFETCH(bool, demo);
    TempHome home(demo ? TempHome::Demo : TempHome::Base);
    QVERIFY(home.ok());
    const Festivals rows = lunarRows();
    QVERIFY(!rows.isEmpty());
    for (int lunarYear : {2025, 2026}) {
        const Festivals shown = calendarFestivals(lunarYear);
        QVERIFY2(rows == shown,
                 qPrintable(QStringLiteral("file:     %1\ncalendar: %2")
                                .arg(rows.join(QStringLiteral(", ")), shown.join(QStringLiteral(", ")))));
    }
}

QTEST_GUILESS_MAIN(tst_DemoData)
#include "tst_DemoData.moc"
