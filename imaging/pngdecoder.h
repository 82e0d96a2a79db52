#pragma once

#include "imaging/bitmap.h"

#include <QByteArray>
#include <QString>

// PNG pictures through libpng: every bit depth and colour type, interlaced
// or not, transparency laid over white as GIF pictures are. Throws
// ImagingError for a damaged file (libpng's errors: a bad CRC on a critical
// chunk, data cut short) and for pictures beyond ImageLimits (checked before
// allocating).
namespace PngDecoder {

Bitmap decode(const QByteArray &data);
Bitmap decodeFile(const QString &path);

} // namespace PngDecoder
