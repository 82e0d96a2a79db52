#pragma once

#include "imaging/bitmap.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// Opening picture files for the codecs. Pictures are written through
// AtomicFile (text/atomicfile.h).
namespace PictureFile {

// Opens a regular file for reading. Whether it is one is asked first,
// without opening it: opening a FIFO would wait for a writer for ever, and
// a device might never end. Throws ImagingError for a missing file, a FIFO,
// device or folder, and a file that cannot be opened.
void openForReading(QFile &file, const QString &path);

// Reads the whole file, as openForReading() opens it; refuses files larger
// than any picture we accept. Throws ImagingError.
QByteArray read(const QString &path);

// Reads the file and decodes it; a decoder's ImagingError gets the path
// added to its message.
Bitmap decodeFile(const QString &path, Bitmap (*decode)(const QByteArray &data));

} // namespace PictureFile
