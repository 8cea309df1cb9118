#include "core/JetSql.h"

#include "core/DateText.h"

#include <QRegularExpression>

namespace JetSql {

QString translate(const QString& s) {
    QString out;
    out.reserve(s.size() + 8);
    int i = 0;
    const int n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            // Copy a quoted text or a bracketed name untouched.
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            int j = i + 1;
            while (j < n) {
                if (s[j] == close) {
                    if (close != QLatin1Char(']') && j + 1 < n && s[j + 1] == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += s.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('#')) {
            const int j = s.indexOf(QLatin1Char('#'), i + 1);
            if (j > i) {
                const auto d = DateText::parse(s.mid(i + 1, j - i - 1));
                if (d) {
                    out += QLatin1Char('\'') + DateText::format(*d) + QLatin1Char('\'');
                    i = j + 1;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

Updatable updatable(const QString& sql) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*select\\s+(.+?)\\s+from\\s+(\\[[^\\]]+\\]|\"[^\"]+\"|[^\\s\\[\\],;()]+)"
                       "(\\s+(where|order)\\b.*)?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(sql);
    if (!m.hasMatch())
        return {};
    const QString cols = m.captured(1);
    if (cols.contains(QLatin1Char('(')) || cols.trimmed().startsWith(QLatin1String("distinct"), Qt::CaseInsensitive))
        return {};
    QString table = m.captured(2);
    if (table.startsWith(QLatin1Char('[')) || table.startsWith(QLatin1Char('"')))
        table = table.mid(1, table.size() - 2);
    const int at = m.capturedStart(1);
    QString withRowid = sql;
    withRowid.insert(at, QStringLiteral("rowid, "));
    return {table, withRowid};
}

} // namespace JetSql

namespace SqlQuote {

QString text(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

QString like(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    v.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    v.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral(" LIKE '%") + v + QStringLiteral("%' ESCAPE '\\'");
}

} // namespace SqlQuote
