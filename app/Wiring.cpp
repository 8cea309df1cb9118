#include "app/Wiring.h"

#include "ui/main/mdiTobrin.h"

// Each window library offers one function that connects its menu items (and its links to other
// windows); it is called here once its library is part of the build.
#if __has_include("ui/company/CompanyMenu.h")
#include "ui/company/CompanyMenu.h"
#define TOBRIN_COMPANY 1
#endif
#if __has_include("ui/contact/ContactMenu.h")
#include "ui/contact/ContactMenu.h"
#define TOBRIN_CONTACT 1
#endif
#if __has_include("ui/visit/VisitMenu.h")
#include "ui/visit/VisitMenu.h"
#define TOBRIN_VISIT 1
#endif
#if __has_include("ui/lists/ListsMenu.h")
#include "ui/lists/ListsMenu.h"
#define TOBRIN_LISTS 1
#endif
#if __has_include("ui/lists/QueryMenu.h")
#include "ui/lists/QueryMenu.h"
#define TOBRIN_QUERIES 1
#endif
#if __has_include("ui/main/MaintenanceMenu.h")
#include "ui/main/MaintenanceMenu.h"
#define TOBRIN_MAINTENANCE 1
#endif
#if __has_include("calendar/ui/CalendarMenu.h")
#include "calendar/ui/CalendarMenu.h"
#define TOBRIN_CALENDAR 1
#endif
#if __has_include("security/ui/SecurityMenu.h")
#include "security/ui/SecurityMenu.h"
#define TOBRIN_SECURITY 1
#endif
#if __has_include("export/ui/ExportMenu.h")
#include "export/ui/ExportMenu.h"
#define TOBRIN_EXPORT 1
#endif
#if __has_include("tray/ui/TrayMenu.h")
#include "tray/ui/TrayMenu.h"
#define TOBRIN_TRAY 1
#endif

void WireMainMenu(mdiTobrin& window) {
#ifdef TOBRIN_COMPANY
    WireCompanyMenu(window);
#endif
#ifdef TOBRIN_CONTACT
    WireContactMenu(window);
#endif
#ifdef TOBRIN_VISIT
    WireVisitMenu(window);
#endif
#ifdef TOBRIN_LISTS
    WireListsMenu(window);
#endif
#ifdef TOBRIN_QUERIES
    WireQueryMenu(window);
#endif
#ifdef TOBRIN_MAINTENANCE
    WireMaintenanceMenu(window);
#endif
#ifdef TOBRIN_CALENDAR
    WireCalendarMenu(window);
#endif
#ifdef TOBRIN_SECURITY
    WireSecurityMenu(window);
#endif
#ifdef TOBRIN_EXPORT
    WireExportMenu(window);
#endif
#ifdef TOBRIN_TRAY
    WireTrayMenu(window);
#endif
    (void)window;
}

StartupHooks ProgramHooks() {
    StartupHooks hooks;
#ifdef TOBRIN_TRAY
    AddTrayHooks(hooks);
#endif
    // Last: the login keeps a copy of the hooks it completes after a correct password.
#ifdef TOBRIN_SECURITY
    AddSecurityHooks(hooks);
#endif
    return hooks;
}
