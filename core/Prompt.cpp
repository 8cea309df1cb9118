#include "core/Prompt.h"

namespace Prompt {
namespace {
// Without an installed service (a logic test, a command-line tool) every prompt is answered
// with its first button and nothing is shown.
class SilentService final : public Service {
public:
    Answer message(const QString&, const QString&, Icon, Buttons buttons) override {
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&, bool) override {
        return std::nullopt;
    }
    int exec(QDialog&) override { return 0; }
};

SilentService silent;
Service* current = nullptr;
} // namespace

Service& service() { return current ? *current : silent; }
void install(Service* s) { current = s; }

Answer message(const QString& text, const QString& caption, Icon icon, Buttons buttons) {
    return service().message(text, caption, icon, buttons);
}
void error(const QString& text) { service().message(text, QStringLiteral("错误"), Icon::Warning, Buttons::Ok); }
std::optional<QString> input(const QString& text, const QString& caption, const QString& initial, bool password) {
    return service().input(text, caption, initial, password);
}
int exec(QDialog& dialog) { return service().exec(dialog); }

} // namespace Prompt
