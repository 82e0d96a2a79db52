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

Output::Output(const QString &path)
    : m_path(path), m_file(path)
{
    // ReadWrite opens an existing file without truncating it.
    if (!m_file.open(QIODevice::ReadWrite))
        fail();
}

void Output::write(const void *data, qint64 size)
{
    if (m_file.write(static_cast<const char *>(data), size) != size)
        fail();
    m_written += size;
}

void Output::finish()
{
    if (!m_file.resize(m_written) || !m_file.flush())
        fail();
}

void Output::fail() const
{
    PictureFile::fail("无法写入图片文件 %1：%2", m_path, m_file.errorString());
}

void write(const QString &path, const QByteArray &bytes)
{
    Output output(path);
    output.write(bytes.constData(), bytes.size());
    output.finish();
}

} // namespace PictureFile
