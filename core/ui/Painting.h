#pragma once
#include <QImage>

class QPaintDevice;
class QWidget;

// A vertical gradient from (r1,g1,b1) on the top line to nearly (r2,g2,b2) on the bottom line.
void PaintGradient(QPaintDevice& surface, int r1, int g1, int b1, int r2, int g2, int b2);

// Cuts the window to the pixels of `picture` (8 bits a pixel) that differ from `key`; a key of 1
// is replaced by the top-left pixel's byte. A picture with no visible pixel leaves the window
// unshaped, so it can never become an invisible modal window.
void ShapeFromPicture(QWidget& window, const QImage& picture, unsigned char& key);
