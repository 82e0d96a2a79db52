#include "imaging/picturefile.h"

#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"

#include <QDir>
#include <QFileInfo>

namespace PictureFile {

namespace {

[[noreturn]] void fail(const char *what, const QString &path, const QString &reason)
{
    throw ImagingError(QString::fromUtf8(what).arg(QDir::toNativeSeparators(path), reason));
}

// The system's own words for a failed open or read are not the user's
// language.
QString reasonOf(const QFile &file)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有读取权限");
    case QFileDevice::OpenError:
        return QStringLiteral("无法打开文件");
    default:
        return QStringLiteral("读取失败");
    }
}

} // namespace

void openForReading(QFile &file, const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        fail("无法读取图片文件 %1：%2", path, QStringLiteral("文件不存在"));
    if (!info.isFile())
        fail("无法读取图片文件 %1：%2", path, QStringLiteral("不是普通文件"));
    if (!file.open(QIODevice::ReadOnly))
        fail("无法读取图片文件 %1：%2", path, reasonOf(file));
    // Something other than a regular file put there after the check above.
    if (file.isSequential())
        fail("无法读取图片文件 %1：%2", path, QStringLiteral("不是普通文件"));
}

QByteArray read(const QString &path)
{
    QFile file(path);
    openForReading(file, path);
    if (file.size() > ImageLimits::maxFileBytes)
        fail("图片文件 %1 太大：%2", path, QStringLiteral("%1 字节").arg(file.size()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail("无法读取图片文件 %1：%2", path, reasonOf(file));
    return bytes;
}

Bitmap decodeFile(const QString &path, Bitmap (*decode)(const QByteArray &data))
{
    const QByteArray data = read(path);
    try {
        return decode(data);
    } catch (const ImagingError &e) {
        throw e.inFile(path);
    }
}

} // namespace PictureFile
