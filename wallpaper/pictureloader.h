#pragma once

#include "imaging/bitmap.h"

#include <QString>

// Reads a picture file the way the wallpaper apply reads the content and the
// background: by the extension, in any letter case.
namespace PictureLoader {

// ".bmp" through the BMP reader. The other picture types the program knows
// by name (".jpg", ".jpeg", ".gif", ".png", ".ico", ".emf", ".wmf") give an
// empty 0 × 0 picture: list files written by hand may name them, and the
// blend then keeps the content alone. Any other extension throws
// ImagingError "无法识别的图片文件扩展名（.ext）".
Bitmap load(const QString &path);

} // namespace PictureLoader
