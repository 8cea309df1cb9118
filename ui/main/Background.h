#pragma once
// The painted background of the main window: blue-to-green bands, the logo in the middle, the
// two title lines at the lower left and today's date at the upper right.
#include <QDate>
#include <QImage>

namespace Background {
// Transparent colour of the logo picture.
inline constexpr QRgb kLogoKey = qRgb(138, 146, 169);
QImage logo();
QImage paint(const QSize& size, const QDate& today);
// "今天是  2008年1月5日  星期六"
QString dateLine(const QDate& today);
} // namespace Background
