#include "wallpaper/pictureloader.h"

#include "imaging/bmpreader.h"
#include "imaging/imagingerror.h"
#include "wallpaper/picturepath.h"

namespace PictureLoader {

Bitmap load(const QString &path)
{
    const QString extension = PicturePath::extension(path);
    const QString lower = extension.toLower();
    if (lower == QLatin1String(".bmp"))
        return BmpReader::readFile(path);
    static const QStringList emptyTypes {".jpg", ".jpeg", ".gif", ".png", ".ico", ".emf", ".wmf"};
    if (emptyTypes.contains(lower))
        return Bitmap();
    throw ImagingError(QStringLiteral("无法识别的图片文件扩展名（.%1）").arg(extension.mid(1)));
}

} // namespace PictureLoader
