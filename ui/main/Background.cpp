#include "ui/main/Background.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

namespace Background {
namespace {
QFont titleFont(int points) {
    QFont f;
    f.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
                   QStringLiteral("Noto Sans CJK")});
    f.setPointSize(points);
    return f;
}
} // namespace

QImage logo() {
    // A business card with a stylised "名" seal, on the transparent colour.
    QImage img(220, 140, QImage::Format_RGB32);
    img.fill(kLogoKey);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(30, 60, 120), 3));
    p.setBrush(QColor(250, 250, 245));
    p.drawRoundedRect(QRect(10, 10, 200, 120), 12, 12);
    p.setBrush(QColor(200, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(24, 30, 70, 70));
    p.setPen(QColor(255, 255, 255));
    p.setFont(titleFont(26));
    p.drawText(QRect(24, 30, 70, 70), Qt::AlignCenter, QStringLiteral("名"));
    p.setPen(QColor(30, 60, 120));
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRect(110, 40 + i * 16, 80 - i * 12, 6), QColor(30, 60, 120));
    return img;
}

QString dateLine(const QDate& today) {
    return QStringLiteral("今天是  ") +
           QStringLiteral("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day()) +
           QStringLiteral("  ") + QLocale(QLocale::Chinese, QLocale::China).dayName(today.dayOfWeek());
}

QImage paint(const QSize& size, const QDate& today) {
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    const int step = size.height() / 256 + 1;
    for (int i = 0; i < 256; ++i)
        p.fillRect(QRect(0, i * step, size.width(), step), QColor(100, 200, 255 - i));

    QImage mark = logo();
    const QImage mask = mark.createMaskFromColor(kLogoKey, Qt::MaskOutColor);
    mark.setAlphaChannel(mask);
    p.drawImage((size.width() - mark.width()) / 2, (size.height() - mark.height()) / 2, mark);

    p.setPen(Qt::black);
    p.setFont(titleFont(24));
    const QFontMetrics big(p.font());
    const int h = big.height();
    p.drawText(10, size.height() - 2 * h - 20 + big.ascent(), QStringLiteral("Orvane软件出品"));
    p.drawText(10, size.height() - h - 10 + big.ascent(), QStringLiteral("商务名片管理系统"));

    p.setFont(titleFont(12));
    const QFontMetrics small(p.font());
    const QString line = dateLine(today);
    p.drawText(size.width() - 10 - small.horizontalAdvance(line), 10 + small.ascent(), line);
    return canvas;
}

} // namespace Background
