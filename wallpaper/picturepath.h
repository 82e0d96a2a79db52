#pragma once

#include <QString>

// File-name extensions the way the picture code sees them: the part of the
// file name from its last dot, dot included; folders never count. And which
// paths name a picture file at all.
namespace PicturePath {

// Whether path names a regular file, or a link to one. A folder (an empty
// row of the picture list names the picture folder itself), a FIFO or a
// device is not a picture: reading a FIFO would block for ever. Looks only
// at the file's type, so the check itself never blocks.
bool isPictureFile(const QString &path);

// "C:/a.b/Pic.JPG" → ".JPG"; "Pic" → "".
QString extension(const QString &path);

// Replaces the extension, or appends one: Pic.JPG → Pic.bmp.
QString changeExtension(const QString &path, const QString &extension);

} // namespace PicturePath
