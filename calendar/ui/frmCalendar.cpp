#include "calendar/ui/frmCalendar.h"

#include "calendar/LunarDateText.h"
#include "calendar/clsdate.h"
#include "core/Clock.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The weekday is Chinese like the rest of the window, whatever the system's language.
QString dateLine(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + clsdate::weekdayName(day);
}

// The same lunar text as the reminder popup (year of the lunar date, leap mark), then festival and term.
QString lunarLine(const QDate& day) {
    clsdate info;
    info.用公历对类进行初始化(day);
    return LunarDateText(day) + QLatin1Char(' ') + info.返回农历节日() + info.返回农历节气();
}

} // namespace

frmCalendar::frmCalendar(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("农历查找工具"));

    mvDate = new QCalendarWidget(this);
    mvDate->setObjectName(QStringLiteral("mvDate"));
    mvDate->setDateRange(QDate(FirstYear, 1, 1), QDate(LastYear, 12, 31));
    mvDate->setGridVisible(true);

    auto* Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);

    auto* Image2 = new QLabel(Shape1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(32, 32));
    Image2->setAlignment(Qt::AlignTop);

    Label1 = new QLabel(Shape1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(Shape1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(Shape1);
    Label3->setObjectName(QStringLiteral("Label3"));

    auto* lines = new QVBoxLayout;
    lines->addWidget(Label1);
    lines->addWidget(Label2);
    lines->addWidget(Label3);
    auto* frameLayout = new QHBoxLayout(Shape1);
    frameLayout->addWidget(Image2);
    frameLayout->addLayout(lines, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mvDate);
    layout->addWidget(Shape1);

    connect(mvDate, &QCalendarWidget::clicked, this, [this](QDate day) { showDay(day, false); });
    connect(mvDate, &QCalendarWidget::currentPageChanged, this, &frmCalendar::keepPageInRange);

    const QDate today = Clock::get().today();
    mvDate->setSelectedDate(today);
    showDay(today, true);
}

void frmCalendar::showDay(const QDate& day, bool today) {
    Label1->setText(today ? QStringLiteral("今天的日期是：") : QStringLiteral("您选择的日期是："));
    Label2->setText(dateLine(day));
    Label3->setText(lunarLine(day));
}

void frmCalendar::keepPageInRange(int year, int month) {
    const int target = year > LastYear ? LastYear : year < FirstYear ? FirstYear : 0;
    if (target == 0)
        return;
    // Same month and day in the edge year; 2-29 becomes 2-28 there.
    const int day = qMin(mvDate->selectedDate().day(), QDate(target, month, 1).daysInMonth());
    mvDate->setCurrentPage(target, month);
    mvDate->setSelectedDate(QDate(target, month, day));
}
