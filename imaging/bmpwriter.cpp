#include "imaging/bmpwriter.h"

#include "imaging/imagingerror.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace BmpWriter {

namespace {

constexpr int headerBytes = 14 + 40;

void put16(uchar *p, quint16 v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
}

void put32(uchar *p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uchar(v >> (8 * i));
}

std::array<uchar, headerBytes> header(const Bitmap &bitmap, int bits, qint64 imageBytes)
{
    std::array<uchar, headerBytes> h {};
    h[0] = 'B';
    h[1] = 'M';
    put32(&h[2], quint32(headerBytes + imageBytes));
    put32(&h[10], headerBytes);
    put32(&h[14], 40);
    put32(&h[18], quint32(bitmap.width()));
    put32(&h[22], quint32(bitmap.height()));
    put16(&h[26], 1);
    put16(&h[28], quint16(bits));
    put32(&h[34], quint32(imageBytes));
    return h;
}

void packRow(const uchar *from, uchar *to, int width, int bytesPerPixel)
{
    if (bytesPerPixel == 4) {
        std::memcpy(to, from, size_t(width) * 4);
        return;
    }
    for (int x = 0; x < width; ++x) {
        to[3 * x] = from[4 * x];
        to[3 * x + 1] = from[4 * x + 1];
        to[3 * x + 2] = from[4 * x + 2];
    }
}

} // namespace

void writeFile(const Bitmap &bitmap, const QString &path, Depth depth)
{
    const int bits = int(depth);
    const int bytesPerPixel = bits / 8;
    const qint64 rowBytes = (qint64(bitmap.width()) * bits + 31) / 32 * 4;
    const qint64 imageBytes = rowBytes * bitmap.height();

    QFile file(path);
    auto fail = [&] {
        throw ImagingError(QStringLiteral("无法写入图片文件 %1：%2")
                               .arg(QDir::toNativeSeparators(path), file.errorString())
                               .toStdString());
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail();
    const auto head = header(bitmap, bits, imageBytes);
    if (file.write(reinterpret_cast<const char *>(head.data()), head.size()) != qint64(head.size()))
        fail();

    // Rows go out in chunks of about a megabyte, bottom row first.
    const int rowsPerChunk = int(std::max<qint64>(1, (qint64(1) << 20) / std::max<qint64>(rowBytes, 1)));
    std::vector<uchar> chunk(size_t(rowBytes) * size_t(rowsPerChunk));
    int y = bitmap.height() - 1;
    while (y >= 0) {
        const int rows = std::min(rowsPerChunk, y + 1);
        for (int i = 0; i < rows; ++i, --y) {
            uchar *to = chunk.data() + size_t(rowBytes) * size_t(i);
            packRow(bitmap.scanLine(y), to, bitmap.width(), bytesPerPixel);
            std::memset(to + qint64(bitmap.width()) * bytesPerPixel, 0,
                        size_t(rowBytes - qint64(bitmap.width()) * bytesPerPixel));
        }
        const qint64 length = rowBytes * rows;
        if (file.write(reinterpret_cast<const char *>(chunk.data()), length) != length)
            fail();
    }
    if (!file.flush())
        fail();
}

} // namespace BmpWriter
