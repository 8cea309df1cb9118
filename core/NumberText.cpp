#include "core/NumberText.h"

#include <QRegularExpression>
#include <limits>

namespace NumberText {

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
    // Rounded on the decimal text itself, so no binary fraction can tip a half.
    const QString frac = m.captured(3);
    if (!frac.isEmpty()) {
        const QChar first = frac.at(0);
        const bool restZero = QStringView(frac).mid(1).count(QLatin1Char('0')) == frac.size() - 1;
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && (!restZero || value % 2 == 1)))
            ++value;
    }
    if (m.captured(1) == QLatin1String("-"))
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

} // namespace NumberText
