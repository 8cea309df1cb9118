#pragma once
// The maker's addresses and the one way the program opens a page, a mail or a file, so tests
// can see what would have been opened.
#include <QString>
#include <QUrl>
#include <functional>

namespace Links {
inline const QString kHomePage = QStringLiteral("https://www.orvane.example.com");
inline const QString kEmail = QStringLiteral("tobrin@orvane.example.com");
inline const QString kEmail2 = QStringLiteral("support@orvane.example.com");

// Opens url with the desktop's handler. When nothing could open it the user is told in an "错误"
// box: "无法打开" + what (the address itself when what is empty), and the answer is false.
bool open(const QUrl& url, const QString& what = QString());
void setOpener(std::function<bool(const QUrl&)> opener); // empty: the desktop's default handlers
} // namespace Links
