#include "core/ui/QtPrompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>

Prompt::Answer QtPrompt::message(const QString& text, const QString& caption, Prompt::Icon icon,
                                 Prompt::Buttons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    box.setWindowTitle(caption);
    switch (icon) {
    case Prompt::Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Prompt::Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Prompt::Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Prompt::Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Prompt::Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case Prompt::Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Prompt::Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Prompt::Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Prompt::Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    const std::pair<QMessageBox::StandardButton, const char*> labels[] = {
        {QMessageBox::Ok, "确定"}, {QMessageBox::Cancel, "取消"}, {QMessageBox::Yes, "是"}, {QMessageBox::No, "否"}};
    for (const auto& [button, label] : labels)
        if (QAbstractButton* b = box.button(button))
            b->setText(QString::fromUtf8(label));
    switch (box.exec()) {
    case QMessageBox::Ok: return Prompt::Answer::Ok;
    case QMessageBox::Yes: return Prompt::Answer::Yes;
    case QMessageBox::No: return Prompt::Answer::No;
    default: return Prompt::Answer::Cancel;
    }
}

std::optional<QString> QtPrompt::input(const QString& text, const QString& caption, const QString& initial,
                                       bool password) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(text);
    dialog.setTextValue(initial);
    dialog.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

int QtPrompt::exec(QDialog& dialog) { return dialog.exec(); }
