#include "ui/visit/VisitMenu.h"

#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/ui/FillGrid.h"
#include "ui/main/mdiTobrin.h"
#include "ui/visit/VisitQuery.h"
#include "ui/visit/frmAddVisit.h"
#include "ui/visit/mdiVisit.h"

#include <QLineEdit>

#if __has_include("ui/company/mdiCompany.h")
#include "ui/company/mdiCompany.h"
#define TOBRIN_VISIT_COMPANY_HOOKS 1
#endif
#if __has_include("ui/contact/mdiLinkMan.h")
#include "ui/contact/mdiLinkMan.h"
#define TOBRIN_VISIT_CONTACT_HOOKS 1
#endif

namespace {
// Opens the visit list without its own full load, then lists `condition`.
void showVisitsWhere(const QString& condition) {
    mdiVisit* list = nullptr;
    {
        const bool before = GridFillEnabled;
        GridFillEnabled = false;
        list = mdiTobrin::instance()->showChild<mdiVisit>();
        GridFillEnabled = before;
    }
    FillGrid(list->grid(), QStringLiteral(" [拜访]"), condition);
}

void addVisitWith(const char* box, const QString& text) {
    frmAddVisit form(mdiTobrin::instance());
    if (auto* e = form.findChild<QLineEdit*>(QString::fromLatin1(box)))
        e->setText(text);
    Prompt::exec(form);
}
} // namespace

void ShowCompanyVisits(long companyId, const QString& name) {
    showVisitsWhere(VisitQuery::companyVisits(companyId, name));
}

void AddCompanyVisit(long companyId, const QString& name) {
    addVisitWith("txtVisited", QString::number(companyId) + QLatin1Char(':') + name);
}

void ShowContactVisits(const QString& contactName) { showVisitsWhere(VisitQuery::contactVisits(contactName)); }

void AddContactVisit(const QString& contactName) { addVisitWith("txtLinkMan_0", contactName); }

void WireVisitMenu(mdiTobrin& window) {
    window.wire(QStringLiteral("mnuVisitList"), [&window] { window.showChild<mdiVisit>(); });
    window.wire(QStringLiteral("mnuVisitAdd"), [&window] {
        frmAddVisit form(&window);
        Prompt::exec(form);
    });
    window.wire(QStringLiteral("mnuVisitEdit"), [&window] { window.showChild<mdiVisit>(); });
    window.wire(QStringLiteral("mnuVisitDel"), [&window] { window.showChild<mdiVisit>(); });
#ifdef TOBRIN_VISIT_COMPANY_HOOKS
    mdiCompany::ShowVisits = ShowCompanyVisits;
    mdiCompany::AddVisit = AddCompanyVisit;
#endif
#ifdef TOBRIN_VISIT_CONTACT_HOOKS
    mdiLinkMan::ShowVisits = ShowContactVisits;
    mdiLinkMan::AddVisit = AddContactVisit;
#endif
}
