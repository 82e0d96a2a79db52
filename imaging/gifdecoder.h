#pragma once

#include "imaging/bitmap.h"

#include <QByteArray>
#include <QString>

// The first picture of a GIF file through giflib, drawn on a canvas the size
// of the logical screen (grown to hold the picture if it sticks out). The
// transparent colour of the picture's graphic control block and every part of
// the canvas the picture does not cover come out white. A picture without
// any colour table is read as grey levels (index i gives grey i). Later
// pictures of an animation are not read at all.
//
// Throws ImagingError for a damaged file, a file without pictures and
// pictures beyond ImageLimits (checked before allocating).
namespace GifDecoder {

Bitmap decode(const QByteArray &data);
Bitmap decodeFile(const QString &path);

} // namespace GifDecoder
