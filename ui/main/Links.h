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

bool open(const QUrl& url);
void setOpener(std::function<bool(const QUrl&)> opener); // empty: the desktop's default handlers
} // namespace Links
