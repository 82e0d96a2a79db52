#pragma once

#include "imaging/bitmap.h"

#include <QRect>
#include <QSize>

// Scaling a background to fill the screen the way desktops call "zoom" or
// "fill": the picture keeps its aspect ratio, covers the whole canvas, and
// what sticks out is cut off evenly on both sides.
namespace CoverScale {

// The part of a picture of size `picture` that is scaled onto a canvas of
// size `canvas`: the largest rectangle of the canvas's shape, centred in the
// picture (never thinner than one pixel). The whole picture when either size
// is empty.
QRect sourceRect(QSize picture, QSize canvas);

// The picture scaled to cover `canvas`: area averaging where it shrinks and
// smooth interpolation where it grows. A picture that already has the
// canvas's size, an empty picture and an empty canvas come back unchanged,
// byte for byte.
Bitmap covering(Bitmap picture, QSize canvas);

} // namespace CoverScale
