#include "ui/visit/VisitQuery.h"

#include "core/JetSql.h"

#include <QRegularExpression>
#include <limits>

namespace VisitQuery {

std::optional<qint32> toLong(const QString& keyword) {
    static const QRegularExpression re(QStringLiteral("^([+-]?)(\\d+)(?:\\.(\\d+))?$"));
    const auto m = re.match(keyword.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    QString digits = m.captured(2);
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > 11)
        return std::nullopt;
    qint64 value = digits.toLongLong();
    const QString frac = m.captured(3);
    if (!frac.isEmpty()) {
        const QChar first = frac.at(0);
        const bool restZero = QStringView(frac).mid(1).count(QLatin1Char('0')) == frac.size() - 1;
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && !restZero) ||
            (first == QLatin1Char('5') && restZero && value % 2 == 1))
            ++value;
    }
    if (m.captured(1) == QLatin1String("-"))
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

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
