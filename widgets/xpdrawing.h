#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

// Pixel-exact drawing for the styled controls. Everything lands on whole
// pixels; nothing is antialiased.
namespace XPDrawing {

// The outline of a rectangle of `size` with 5 x 5 rounded corners: the
// straight edges without the four corner pixels.
void drawRoundedBorder(QPainter &painter, QSize size, const QColor &colour);

// A one-pixel line that stops before `to`.
void drawLine(QPainter &painter, QPoint from, QPoint to, const QColor &colour);

// A dotted rectangle along the inside edge of `rect`: every other pixel is
// inverted, so it shows on any background.
void drawFocusRect(QPainter &painter, const QRect &rect);

// The picture with its bottom-left pixel's colour made transparent; a
// picture that has its own transparency is returned as it is.
QImage transparentByCorner(const QImage &picture);

// The disabled look of a picture: each pixel a light grey from its brightness.
QImage greyed(const QImage &picture);

} // namespace XPDrawing
