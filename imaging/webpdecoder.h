#pragma once

#include "imaging/bitmap.h"

#include <QByteArray>
#include <QString>

// WebP pictures through libwebp, lossy or lossless; of an animation only
// the first picture, on a canvas of the animation's size. Transparency is
// laid over white as in GIF pictures. Throws ImagingError for a damaged
// file and for pictures beyond ImageLimits (checked before allocating).
namespace WebpDecoder {

Bitmap decode(const QByteArray &data);
Bitmap decodeFile(const QString &path);

} // namespace WebpDecoder
