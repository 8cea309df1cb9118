#include "tests/support/FakePrompt.h"

#include <QCoreApplication>
#include <QDialog>

FakePrompt::FakePrompt() { Prompt::install(this); }
FakePrompt::~FakePrompt() { Prompt::install(nullptr); }

QStringList FakePrompt::texts() const {
    QStringList out;
    for (const auto& r : records)
        if (r.kind == Record::Message)
            out << r.text;
    return out;
}

QList<FakePrompt::Record> FakePrompt::messages() const {
    QList<Record> out;
    for (const auto& r : records)
        if (r.kind == Record::Message)
            out << r;
    return out;
}

Prompt::Answer FakePrompt::message(const QString& text, const QString& caption, Prompt::Icon icon,
                                   Prompt::Buttons buttons) {
    records.append({Record::Message, text, caption, icon, buttons, {}});
    if (!m_answers.empty()) {
        const auto a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    // Unscripted: the first button.
    return buttons == Prompt::Buttons::YesNo || buttons == Prompt::Buttons::YesNoCancel ? Prompt::Answer::Yes
                                                                                        : Prompt::Answer::Ok;
}

std::optional<QString> FakePrompt::input(const QString& text, const QString& caption, const QString&,
                                         bool password) {
    records.append(
        {Record::Input, text, caption, Prompt::Icon::None, Prompt::Buttons::OkCancel, {}, password});
    if (m_inputs.empty())
        return std::nullopt;
    const bool given = m_inputs.front().has_value();
    const QString answer = given ? *m_inputs.front() : QString();
    m_inputs.pop_front();
    if (!given)
        return std::nullopt;
    return answer;
}

int FakePrompt::exec(QDialog& dialog) {
    records.append({Record::Dialog, dialog.windowTitle(), {}, Prompt::Icon::None, Prompt::Buttons::Ok,
                    dialog.objectName()});
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QCoreApplication::processEvents();
    if (!m_dialogs.empty()) {
        auto h = std::move(m_dialogs.front());
        m_dialogs.pop_front();
        h(dialog);
    }
    if (dialog.isVisible())
        dialog.reject();
    QCoreApplication::processEvents();
    return dialog.result();
}
