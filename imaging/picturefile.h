#pragma once

#include <QByteArray>
#include <QString>

// Whole-file input and output for the codecs, which work on bytes in memory.
namespace PictureFile {

// Reads the whole file; refuses files larger than any picture we accept.
// Throws ImagingError.
QByteArray read(const QString &path);

// Writes the bytes, replacing an existing file. Throws ImagingError.
void write(const QString &path, const QByteArray &bytes);

} // namespace PictureFile
