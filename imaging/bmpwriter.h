#pragma once

#include "imaging/bitmap.h"

#include <QString>

// Uncompressed Windows BMP files with a 40-byte header, rows bottom-up as
// every reader expects.
namespace BmpWriter {

enum class Depth { Bits24 = 24, Bits32 = 32 };

// Replaces any file at path. With 32 bits the fourth byte of each pixel is
// written as it is. Throws ImagingError.
void writeFile(const Bitmap &bitmap, const QString &path, Depth depth);

} // namespace BmpWriter
