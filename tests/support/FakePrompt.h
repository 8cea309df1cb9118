#pragma once
// A scripted prompt service for tests: records every prompt, answers from queues, and lets a
// test act on a modal dialog while it is "open" instead of blocking in exec().
#include "core/Prompt.h"

#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <optional>

class FakePrompt final : public Prompt::Service {
public:
    struct Record {
        enum Kind { Message, Input, Dialog } kind;
        QString text;
        QString caption;
        Prompt::Icon icon = Prompt::Icon::None;
        Prompt::Buttons buttons = Prompt::Buttons::Ok;
        QString dialogName;    // objectName of an exec'd dialog
        bool password = false; // an input box that masks what is typed
    };
    // A handler acts on the open dialog (fill fields, click buttons). If the dialog is still
    // visible when the handler returns, it is rejected.
    using DialogHandler = std::function<void(QDialog&)>;

    FakePrompt();  // installs itself
    ~FakePrompt(); // uninstalls itself

    void answer(Prompt::Answer a) { m_answers.push_back(a); }
    void input(std::optional<QString> text) { m_inputs.push_back(std::move(text)); }
    void onDialog(DialogHandler h) { m_dialogs.push_back(std::move(h)); }

    QList<Record> records;
    // Messages only, for simple checks.
    QStringList texts() const;
    QList<Record> messages() const;
    const Record* last() const { return records.isEmpty() ? nullptr : &records.last(); }
    void clear() { records.clear(); }
    // Unused scripted answers left at the end point to a test that went another way than it thinks.
    bool allUsed() const { return m_answers.empty() && m_inputs.empty() && m_dialogs.empty(); }

    Prompt::Answer message(const QString& text, const QString& caption, Prompt::Icon icon,
                           Prompt::Buttons buttons) override;
    std::optional<QString> input(const QString& text, const QString& caption, const QString& initial,
                                 bool password) override;
    int exec(QDialog& dialog) override;

private:
    std::deque<Prompt::Answer> m_answers;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<DialogHandler> m_dialogs;
};
