#include "tray/ShiftSchedule.h"

#include "core/DateText.h"

namespace ShiftSchedule {

const QStringList& cycle() {
    static const QStringList items = {QStringLiteral("白班"), QStringLiteral("白班"), QStringLiteral("中班"),
                                      QStringLiteral("中班"), QStringLiteral("休息"), QStringLiteral("夜班"),
                                      QStringLiteral("夜班"), QStringLiteral("休息")};
    return items;
}

const QStringList& crews() {
    static const QStringList items = {QStringLiteral("甲班"), QStringLiteral("乙班"), QStringLiteral("丙班"),
                                      QStringLiteral("丁班")};
    return items;
}

const QStringList& leadTimes() {
    static const QStringList items = {QStringLiteral("1小时"), QStringLiteral("2小时"),
                                      QStringLiteral("3小时")};
    return items;
}

QString referenceText(const QDate& date, int position) {
    return DateText::format(date) + QLatin1Char(':') + QString::number(position);
}

std::optional<Reference> parseReference(const QString& text) {
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    const auto date = DateText::parse(text.left(colon).trimmed());
    bool ok = false;
    const int position = text.mid(colon + 1).trimmed().toInt(&ok);
    if (!date || !ok || position < 0 || position >= cycle().size())
        return std::nullopt;
    return Reference{*date, position};
}

QString shiftOn(const Reference& ref, int crew, const QDate& day) {
    const int n = int(cycle().size());
    if (!ref.date.isValid() || !day.isValid() || crew < 0 || crew >= crews().size() || ref.position < 0 ||
        ref.position >= n)
        return {};
    const qint64 pos = (ref.position + ref.date.daysTo(day) - 2 * crew) % n;
    return cycle().at(int((pos + n) % n));
}

int leadHours(const QString& text) {
    const int i = int(leadTimes().indexOf(text.trimmed()));
    return i < 0 ? 0 : i + 1;
}

} // namespace ShiftSchedule
