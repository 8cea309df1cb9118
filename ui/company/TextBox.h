#pragma once
// Text boxes of the company and list windows: trimmed when the user leaves them (never while
// typing), and no typing limit that could cut a text set by code.
class QLineEdit;

void PrepareTextBox(QLineEdit* box);
