#include "ui/main/Links.h"

#include <QDesktopServices>

namespace Links {
namespace {
std::function<bool(const QUrl&)> opener;
}

bool open(const QUrl& url) { return opener ? opener(url) : QDesktopServices::openUrl(url); }
void setOpener(std::function<bool(const QUrl&)> o) { opener = std::move(o); }
} // namespace Links
