#include "ui/visit/VisitQuery.h"

#include "core/JetSql.h"


namespace VisitQuery {

long companyNumber(const QString& companyBox) {
    const int colon = companyBox.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return 0;
    bool ok = false;
    const long id = companyBox.left(colon).trimmed().toLong(&ok);
    return ok && id > 0 ? id : 0;
}

QString companyVisits(long companyId, const QString& name) {
    return QStringLiteral(" where [受访单位]=") + SqlQuote::text(QString::number(companyId) + QLatin1Char(':') + name);
}

QString contactVisits(const QString& contactName) {
    const QString q = SqlQuote::text(contactName);
    return QStringLiteral(" where [受访人]=") + q + QStringLiteral(" or [责任人]=") + q +
           QStringLiteral(" or ('/' || [实施人员] || '/')") + SqlQuote::like(QLatin1Char('/') + contactName + QLatin1Char('/'));
}

} // namespace VisitQuery
