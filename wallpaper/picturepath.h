#pragma once

#include <QString>

// File-name extensions the way the picture code sees them: the part of the
// file name from its last dot, dot included; folders never count.
namespace PicturePath {

// "C:/a.b/Pic.JPG" → ".JPG"; "Pic" → "".
QString extension(const QString &path);

// Replaces the extension, or appends one: Pic.JPG → Pic.bmp.
QString changeExtension(const QString &path, const QString &extension);

} // namespace PicturePath
