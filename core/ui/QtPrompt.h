#pragma once
// The application's prompt service: real message boxes, input boxes and modal exec.
#include "core/Prompt.h"

class QtPrompt final : public Prompt::Service {
public:
    Prompt::Answer message(const QString& text, const QString& caption, Prompt::Icon icon,
                           Prompt::Buttons buttons) override;
    std::optional<QString> input(const QString& text, const QString& caption, const QString& initial,
                                 bool password) override;
    int exec(QDialog& dialog) override;
};
