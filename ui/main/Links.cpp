#include "ui/main/Links.h"

#include "core/Prompt.h"

#include <QDesktopServices>

namespace Links {
namespace {
std::function<bool(const QUrl&)> opener;

// What the user can do about it, by the kind of address.
QString hint(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return QStringLiteral("系统中没有可用的网页浏览器。");
    if (scheme == QLatin1String("mailto"))
        return QStringLiteral("系统中没有设置默认的邮件程序。");
    return QStringLiteral("系统中没有能打开它的程序。");
}
} // namespace

bool open(const QUrl& url, const QString& what) {
    const bool opened = opener ? opener(url) : QDesktopServices::openUrl(url);
    if (!opened)
        Prompt::error(QStringLiteral("无法打开") + (what.isEmpty() ? url.toDisplayString() : what) +
                      QLatin1Char('\n') + hint(url));
    return opened;
}

void setOpener(std::function<bool(const QUrl&)> o) {
    opener = std::move(o);
}
} // namespace Links
