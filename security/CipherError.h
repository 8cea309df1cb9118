#pragma once
// An error raised to the caller with a number and a description, as the cipher's callers expect.
#include <QString>
#include <stdexcept>

class CipherError : public std::runtime_error {
public:
    CipherError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}
    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};
