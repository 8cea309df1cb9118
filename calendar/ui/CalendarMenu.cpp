#include "calendar/ui/CalendarMenu.h"

#include "calendar/ui/frmCalendar.h"
#include "core/Prompt.h"
#include "ui/main/mdiTobrin.h"

void WireCalendarMenu(mdiTobrin& window) {
    window.wire(QStringLiteral("mnuCalendar"), [&window] {
        frmCalendar calendar(&window);
        Prompt::exec(calendar);
    });
}
