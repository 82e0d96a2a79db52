#include "imaging/bmpwriter.h"

#include "files/atomicfile.h"
#include "imaging/imagelimits.h"

#include <algorithm>
#include <array>
#include <cstring>

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

qint64 rowBytes(int width, Depth depth)
{
    return (qint64(width) * int(depth) + 31) / 32 * 4;
}

void writeHeader(uchar *h, int width, int height, Depth depth)
{
    const qint64 imageBytes = rowBytes(width, depth) * height;
    std::memset(h, 0, headerBytes);
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, quint32(headerBytes + imageBytes));
    put32(h + 10, headerBytes);
    put32(h + 14, 40);
    put32(h + 18, quint32(width));
    put32(h + 22, quint32(height));
    put16(h + 26, 1);
    put16(h + 28, quint16(depth));
    put32(h + 34, quint32(imageBytes));
}

// 24-bit rows go out in pieces of about a megabyte, bottom row first.
void write24(AtomicFile &output, const Bitmap &bitmap)
{
    const qint64 stride = rowBytes(bitmap.width(), Depth::Bits24);
    const int rowsPerPiece = int(std::max<qint64>(1, (qint64(1) << 20) / std::max<qint64>(stride, 1)));
    std::vector<uchar> piece(size_t(stride) * size_t(rowsPerPiece));
    int y = bitmap.height() - 1;
    while (y >= 0) {
        const int rows = std::min(rowsPerPiece, y + 1);
        for (int i = 0; i < rows; ++i, --y) {
            const uchar *from = bitmap.scanLine(y);
            uchar *to = piece.data() + size_t(stride) * size_t(i);
            for (int x = 0; x < bitmap.width(); ++x, from += 4, to += 3) {
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
            }
            std::memset(to, 0, size_t(stride - qint64(bitmap.width()) * 3));
        }
        output.write(piece.data(), stride * rows);
    }
}

} // namespace

void writeFile(const Bitmap &bitmap, const QString &path, Depth depth, AtomicFile::Durability durability)
{
    std::array<uchar, headerBytes> header;
    writeHeader(header.data(), bitmap.width(), bitmap.height(), depth);
    AtomicFile output(path, durability);
    output.write(header.data(), headerBytes);
    // The picture's memory already is a 32-bit BMP's pixel area.
    if (depth == Depth::Bits32)
        output.write(bitmap.bottomUpBits(), bitmap.bytesPerLine() * bitmap.height());
    else
        write24(output, bitmap);
    output.commit();
}

FileImage::FileImage(int width, int height, Depth depth)
{
    ImageLimits::check(width, height);
    const qint64 stride = rowBytes(width, depth);
    const qint64 pixelBytes = qint64(width) * int(depth) / 8;
    m_size = headerBytes + stride * height;
    m_bytes = std::make_unique_for_overwrite<uchar[]>(size_t(m_size));
    writeHeader(m_bytes.get(), width, height, depth);
    m_rows.resize(size_t(height));
    for (int y = 0; y < height; ++y) {
        uchar *row = m_bytes.get() + headerBytes + stride * (height - 1 - y);
        std::memset(row + pixelBytes, 0, size_t(stride - pixelBytes));
        m_rows[size_t(y)] = row;
    }
}

void FileImage::save(const QString &path, AtomicFile::Durability durability) const
{
    AtomicFile output(path, durability);
    output.write(m_bytes.get(), m_size);
    output.commit();
}

} // namespace BmpWriter
