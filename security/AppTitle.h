#pragma once
// The caption of the cipher's and the cipher tool's message boxes and of the tool's window.
#include <QString>

inline QString AppTitle() {
    return QStringLiteral("Tobrin");
}
