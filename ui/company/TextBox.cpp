#include "ui/company/TextBox.h"

#include <QEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <limits>

namespace {
class TrimOnLeave final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::FocusOut) {
            auto* box = static_cast<QLineEdit*>(watched);
            const QString t = box->text().trimmed();
            if (t != box->text())
                box->setText(t);
        }
        return false;
    }
};
} // namespace

void PrepareTextBox(QLineEdit* box) {
    box->setMaxLength(std::numeric_limits<int>::max());
    box->installEventFilter(new TrimOnLeave(box));
}

std::optional<long> ParseCompanyNumber(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^([+-]?)([0-9]*)(?:\\.([0-9]*))?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    QString digits = m.captured(2);
    const QString fraction = m.captured(3);
    if (digits.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > 10)
        return std::nullopt;
    qint64 value = digits.isEmpty() ? 0 : digits.toLongLong();
    // Exact decimal rounding, halves to even, without going through a double.
    if (!fraction.isEmpty()) {
        const QChar first = fraction[0];
        bool restNonZero = false;
        for (int i = 1; i < fraction.size(); ++i)
            restNonZero = restNonZero || fraction[i] != QLatin1Char('0');
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && (restNonZero || value % 2 == 1)))
            ++value;
    }
    if (m.captured(1) == QLatin1String("-"))
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<long>(value);
}
