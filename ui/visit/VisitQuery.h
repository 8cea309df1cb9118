#pragma once
// The SQL pieces of the visit windows that others call as well: the conditions that list a
// company's or a contact's visits.
#include <QString>
#include <optional>

namespace VisitQuery {

// The company number before the first ":" of a company box ("12:名称" → 12); 0 when the box
// holds no such number (the contact picker then lists everyone).
long companyNumber(const QString& companyBox);

// " where [受访单位]='<id>:<name>'".
QString companyVisits(long companyId, const QString& name);

// Visits where the contact is the visited or responsible person, or one of the "/"-joined
// implementers as a whole name.
QString contactVisits(const QString& contactName);

} // namespace VisitQuery
