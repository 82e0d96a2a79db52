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

// Writes the blend result as Mix.bmp, 32 bits a pixel. Throws FileError.
void saveMix(const Bitmap &mix, const QString &bgFolder);

// Writes the wallpaper files for the blend result: Mix.Jpg (baseline,
// quality 90), and Mix.bmp with that JPEG's pixels in 24 bits, which the
// desktop shows. Mix.bmp is written once, so a desktop that reads it meets
// the last wallpaper or the new one and nothing between. When the JPEG
// cannot be made or read back, Mix.bmp gets the blend itself in 32 bits and
// the result is false: the apply ends there. Throws FileError when Mix.bmp
// cannot be written.
bool writeWallpaperFiles(const Bitmap &mix, const QString &bgFolder);

} // namespace MixFiles
