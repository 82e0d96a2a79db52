#pragma once

#include "imaging/bitmap.h"

#include <QString>

// The files the apply writes after the blend, in the composer's folder
// (given with its trailing separator). No window and no desktop call here.
namespace MixFiles {

// BGFolder + "Mix.bmp": the file that becomes the wallpaper.
QString mixBmpPath(const QString &bgFolder);
// BGFolder + "Mix.Jpg".
QString mixJpgPath(const QString &bgFolder);

// Writes the blend result as Mix.bmp, 32 bits a pixel. Throws ImagingError.
void saveMix(const Bitmap &mix, const QString &bgFolder);

// Reads Mix.bmp back, encodes it as Mix.Jpg (baseline, quality 90) and
// decodes that over Mix.bmp as 24 bits a pixel, so the wallpaper shows the
// JPEG's pixels. Returns the path of Mix.bmp. Throws ImagingError; the
// apply drops such failures silently, keeping the 32-bit Mix.bmp.
QString roundTripThroughJpeg(const QString &bgFolder);

} // namespace MixFiles
