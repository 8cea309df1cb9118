#include "ui/company/TextBox.h"

#include <QEvent>
#include <QLineEdit>
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
