#include "wallpaper/picturepath.h"

#include <QFileInfo>

namespace PicturePath {

namespace {

qsizetype extensionStart(const QString &path)
{
    const qsizetype name = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= name ? dot : path.size();
}

} // namespace

bool isPictureFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

QString extension(const QString &path)
{
    return path.mid(extensionStart(path));
}

QString changeExtension(const QString &path, const QString &extension)
{
    return path.left(extensionStart(path)) + extension;
}

} // namespace PicturePath
