#include "widgets/xpdrawing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace XPDrawing {

void drawRoundedBorder(QPainter &painter, QSize size, const QColor &colour)
{
    const int w = size.width();
    const int h = size.height();
    if (w < 3 || h < 3)
        return;
    painter.fillRect(1, 0, w - 2, 1, colour);
    painter.fillRect(1, h - 1, w - 2, 1, colour);
    painter.fillRect(0, 1, 1, h - 2, colour);
    painter.fillRect(w - 1, 1, 1, h - 2, colour);
}

void drawLine(QPainter &painter, QPoint from, QPoint to, const QColor &colour)
{
    const QPoint delta = to - from;
    const int steps = std::max(std::abs(delta.x()), std::abs(delta.y()));
    for (int k = 0; k < steps; ++k) {
        const int x = from.x() + int(std::lround(double(k) * delta.x() / steps));
        const int y = from.y() + int(std::lround(double(k) * delta.y() / steps));
        painter.fillRect(x, y, 1, 1, colour);
    }
}

namespace {

// Inverts the pixels of a strip whose coordinates add up to an even number.
void invertDotted(QPainter &painter, int left, int top, int width, int height)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if ((x + y) % 2 == 0)
                painter.fillRect(x, y, 1, 1, Qt::white);
}

} // namespace

void drawFocusRect(QPainter &painter, const QRect &rect)
{
    if (rect.isEmpty())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    invertDotted(painter, rect.left(), rect.top(), rect.width(), 1);
    if (rect.height() > 1)
        invertDotted(painter, rect.left(), rect.bottom(), rect.width(), 1);
    invertDotted(painter, rect.left(), rect.top() + 1, 1, rect.height() - 2);
    if (rect.width() > 1)
        invertDotted(painter, rect.right(), rect.top() + 1, 1, rect.height() - 2);
    painter.restore();
}

QImage transparentByCorner(const QImage &picture)
{
    if (picture.isNull() || picture.hasAlphaChannel())
        return picture;
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = result.pixel(0, result.height() - 1);
    for (int y = 0; y < result.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(result.scanLine(y));
        std::replace(row, row + result.width(), transparent, qRgba(0, 0, 0, 0));
    }
    return result;
}

QImage greyed(const QImage &picture)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int v = (qRed(row[x]) + qGreen(row[x]) + qBlue(row[x])) / 3;
            const int grey = v < 156 ? v + 100 : 255;
            row[x] = qRgba(grey, grey, grey, qAlpha(row[x]));
        }
    }
    return result;
}

} // namespace XPDrawing
