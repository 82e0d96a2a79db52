#include "imaging/picturefile.h"

#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"

#include <QDir>
#include <QFile>

namespace PictureFile {

namespace {

[[noreturn]] void fail(const char *what, const QString &path, const QString &reason)
{
    throw ImagingError(QString::fromUtf8(what).arg(QDir::toNativeSeparators(path), reason).toStdString());
}

} // namespace

QByteArray read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("无法读取图片文件 %1：%2", path, file.errorString());
    // A pipe or device has no size to check and might never end.
    if (file.isSequential())
        fail("无法读取图片文件 %1：%2", path, QStringLiteral("不是普通文件"));
    if (file.size() > ImageLimits::maxFileBytes)
        fail("图片文件 %1 太大：%2", path, QStringLiteral("%1 字节").arg(file.size()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail("无法读取图片文件 %1：%2", path, file.errorString());
    return bytes;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail("无法写入图片文件 %1：%2", path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        fail("无法写入图片文件 %1：%2", path, file.errorString());
}

} // namespace PictureFile
