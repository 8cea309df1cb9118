#pragma once
// One way for every message box, input box and modal dialog. The application installs the
// Qt implementation (core/ui); tests install a scripted one (tests/support/FakePrompt.h).
#include <QString>
#include <optional>

class QDialog;

namespace Prompt {

enum class Icon { None, Information, Warning, Critical, Question };

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

enum class Answer { Ok, Cancel, Yes, No };

class Service {
public:
    virtual ~Service() = default;
    virtual Answer message(const QString& text, const QString& caption, Icon icon, Buttons buttons) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString& text, const QString& caption,
                                         const QString& initial, bool password) = 0;
    // Runs a dialog modally and returns its result code (QDialog::Accepted/Rejected).
    virtual int exec(QDialog& dialog) = 0;
};

// The installed service; the application installs the Qt one at start-up.
Service& service();
// Installs a service (not owned); nullptr restores the previous default.
void install(Service* s);

// Short forms used everywhere.
Answer message(const QString& text, const QString& caption = QStringLiteral("Tobrin"), Icon icon = Icon::None,
               Buttons buttons = Buttons::Ok);
// The "错误" box with the warning icon.
void error(const QString& text);
std::optional<QString> input(const QString& text, const QString& caption, const QString& initial = QString(),
                             bool password = false);
int exec(QDialog& dialog);

} // namespace Prompt
