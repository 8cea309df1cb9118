#pragma once
// Connects the visit menu items and the visit links that the company and contact lists offer.
class mdiTobrin;
class QString;

void WireVisitMenu(mdiTobrin& window);

// What those links do, callable without the other windows.
void ShowCompanyVisits(long companyId, const QString& name);
void AddCompanyVisit(long companyId, const QString& name);
void ShowContactVisits(const QString& contactName);
void AddContactVisit(const QString& contactName);
