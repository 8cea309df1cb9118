#pragma once
// The SQL pieces of the visit windows that others call as well: keyword conversion and the
// conditions that list a company's or a contact's visits.
#include <QString>
#include <optional>

namespace VisitQuery {

// A number keyword: optional sign, digits, optional fraction; rounded half to even. Nothing
// when it is not such a number or does not fit in 32 bits.
std::optional<qint32> toLong(const QString& keyword);

// The company number before the first ":" of a company box ("12:名称" → 12); 0 when the box
// holds no such number (the contact picker then lists everyone).
long companyNumber(const QString& companyBox);

// " where [受访单位]='<id>:<name>'".
QString companyVisits(long companyId, const QString& name);

// Visits where the contact is the visited or responsible person, or one of the "/"-joined
// implementers as a whole name.
QString contactVisits(const QString& contactName);

} // namespace VisitQuery
