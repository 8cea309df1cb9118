#pragma once
// Text boxes of the company and list windows: trimmed when the user leaves them (never while
// typing), and no typing limit that could cut a text set by code.
#include <QString>
#include <optional>

class QLineEdit;

void PrepareTextBox(QLineEdit* box);

// A company number typed as a keyword: an optional sign, digits and an optional fraction,
// rounded to the nearest integer (halves to even). nullopt for anything else and for values
// outside 32 bits, so a query never gets an overflowed number.
std::optional<long> ParseCompanyNumber(const QString& text);
