#include "imaging/bmpsource.h"

#include "imaging/imagingerror.h"

#include <QString>

#include <cstring>

void failBmp(const char *reason)
{
    throw ImagingError(QStringLiteral("不是有效的 BMP 图片：%1").arg(QString::fromUtf8(reason)).toStdString());
}

void BmpSource::check(qint64 offset, qint64 length) const
{
    if (offset < 0 || length < 0 || offset > size() || length > size() - offset)
        failBmp("文件不完整");
}

quint16 BmpSource::u16(qint64 offset) const
{
    uchar p[2];
    read(offset, 2, p);
    return quint16(p[0] | p[1] << 8);
}

quint32 BmpSource::u32(qint64 offset) const
{
    uchar p[4];
    read(offset, 4, p);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

void MemoryBmpSource::read(qint64 offset, qint64 length, uchar *to) const
{
    check(offset, length);
    if (length > 0)
        std::memcpy(to, m_data.constData() + offset, size_t(length));
}

void FileBmpSource::read(qint64 offset, qint64 length, uchar *to) const
{
    check(offset, length);
    if (!m_file.seek(offset) || m_file.read(reinterpret_cast<char *>(to), length) != length)
        failBmp("文件读取失败");
}
