#include "core/DateText.h"

#include <QRegularExpression>

namespace DateText {

QString format(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }

namespace {
// yyyy-MM-dd exactly, without the regular expression: the form every stored date has.
std::optional<QDate> parseIso(const QString& t) {
    if (t.size() != 10 || t[4] != QLatin1Char('-') || t[7] != QLatin1Char('-'))
        return std::nullopt;
    int v[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, lens[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lens[p]; ++i) {
            const char16_t c = t[i].unicode();
            if (c < u'0' || c > u'9')
                return std::nullopt;
            v[p] = v[p] * 10 + (c - u'0');
        }
    }
    const QDate d(v[0], v[1], v[2]);
    if (!d.isValid())
        return std::nullopt;
    return d;
}
} // namespace

std::optional<QDate> parse(const QString& text) {
    if (auto d = parseIso(text))
        return d;
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

} // namespace DateText
