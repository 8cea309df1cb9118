#include "core/ui/Painting.h"

#include <QBitmap>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <cmath>

void PaintGradient(QPaintDevice& surface, int r1, int g1, int b1, int r2, int g2, int b2) {
    const int n = surface.height();
    const int w = surface.width();
    if (n <= 0 || w <= 0)
        return;
    QPainter p(&surface);
    const double dr = double(r2 - r1) / n, dg = double(g2 - g1) / n, db = double(b2 - b1) / n;
    for (int i = 0; i < n; ++i) {
        // nearbyint rounds halves to even in the default rounding mode.
        p.setPen(QColor(int(std::nearbyint(r1 + dr * i)), int(std::nearbyint(g1 + dg * i)),
                        int(std::nearbyint(b1 + db * i))));
        p.drawLine(0, i, w - 1, i);
    }
}

void ShapeFromPicture(QWidget& window, const QImage& picture, unsigned char& key) {
    const QImage img = picture.format() == QImage::Format_Indexed8 || picture.format() == QImage::Format_Grayscale8
                           ? picture
                           : picture.convertToFormat(QImage::Format_Grayscale8);
    const int w = img.width(), h = img.height();
    if (w == 0 || h == 0) {
        window.clearMask();
        return;
    }
    if (key == 1)
        key = img.constScanLine(0)[0];
    QRegion region;
    for (int y = 0; y < h; ++y) {
        const uchar* line = img.constScanLine(y);
        int x = 0;
        while (x < w) {
            while (x < w && line[x] == key)
                ++x;
            const int start = x;
            while (x < w && line[x] != key)
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    if (region.isEmpty())
        window.clearMask();
    else
        window.setMask(region);
    window.update();
}
