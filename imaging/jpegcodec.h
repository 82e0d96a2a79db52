#pragma once

#include "files/atomicfile.h"
#include "imaging/bitmap.h"

#include <QByteArray>
#include <QString>

// JPEG through libjpeg's own API. libjpeg errors never end the program:
// they come back as ImagingError with libjpeg's message.
namespace JpegCodec {

// A baseline colour JFIF file of the given quality (0..100) from the 24
// colour bits of each pixel (the fourth byte is not read); libjpeg's
// standard settings otherwise (4:2:0 YCbCr, standard tables, integer DCT).
QByteArray encode(const Bitmap &bitmap, int quality);
// The same from a BMP file, read a band of rows at a time, written as an
// AtomicFile (FileError when it cannot be).
void encodeBmpFile(const QString &bmpPath, const QString &jpegPath, int quality);

// Baseline, progressive and arithmetic-coded files with 8-bit samples, in
// grey, YCbCr, RGB, CMYK or YCCK. A damaged file (cut short, a bad code: what
// libjpeg warns of and patches with grey) is refused; pictures beyond
// ImageLimits are refused before decoding.
Bitmap decode(const QByteArray &data);
// Decodes straight into the rows of a 24-bit BMP file, replacing any file
// at bmpPath as an AtomicFile once the whole picture is decoded (a damaged
// file leaves it as it was).
void decodeToBmpFile(const QString &jpegPath, const QString &bmpPath);
void decodeToBmpFile(const QByteArray &jpeg, const QString &bmpPath,
                     AtomicFile::Durability durability = AtomicFile::Durability::Synced);

} // namespace JpegCodec
