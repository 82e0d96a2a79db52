#include "imaging/bmpreader.h"

#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"
#include "imaging/picturefile.h"

#include <QDir>

#include <array>
#include <bit>
#include <cstring>

namespace BmpReader {

namespace {

enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

[[noreturn]] void fail(const char *reason)
{
    throw ImagingError(QStringLiteral("不是有效的 BMP 图片：%1").arg(QString::fromUtf8(reason)).toStdString());
}

// Little-endian fields at absolute offsets, each checked against the end.
class Bytes {
public:
    explicit Bytes(const QByteArray &data)
        : m_data(reinterpret_cast<const uchar *>(data.constData())), m_size(data.size())
    {
    }
    qint64 size() const { return m_size; }
    const uchar *at(qint64 offset, qint64 length) const
    {
        if (offset < 0 || length < 0 || offset > m_size || length > m_size - offset)
            fail("文件不完整");
        return m_data + offset;
    }
    quint16 u16(qint64 offset) const
    {
        const uchar *p = at(offset, 2);
        return quint16(p[0] | p[1] << 8);
    }
    quint32 u32(qint64 offset) const
    {
        const uchar *p = at(offset, 4);
        return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
    }
    qint32 i32(qint64 offset) const { return qint32(u32(offset)); }

private:
    const uchar *m_data;
    qint64 m_size;
};

// One colour channel given by a mask, scaled to 8 bits.
class Channel {
public:
    Channel() = default;
    explicit Channel(quint32 mask)
        : m_mask(mask)
    {
        if (mask == 0)
            return;
        m_shift = std::countr_zero(mask);
        m_bits = 32 - std::countl_zero(mask) - m_shift;
    }
    uchar value(quint32 pixel) const
    {
        if (m_bits == 0)
            return 0;
        const quint64 v = (pixel & m_mask) >> m_shift;
        if (m_bits >= 8)
            return uchar(v >> (m_bits - 8));
        const quint64 max = (quint64(1) << m_bits) - 1;
        return uchar((v * 255 + max / 2) / max);
    }

private:
    quint32 m_mask = 0;
    int m_shift = 0;
    int m_bits = 0;
};

struct Header {
    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = Rgb;
    std::array<quint32, 3> masks {};
    qint64 pixelOffset = 0;
    std::array<quint32, 256> palette {}; // blue, green, red, 0 as a little-endian word
};

bool isWindowsHeader(quint32 size)
{
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

void readPalette(const Bytes &bytes, Header &h, qint64 start, int entrySize, qint64 declared)
{
    if (h.bitCount > 8)
        return;
    const qint64 full = qint64(1) << h.bitCount;
    if (declared == 0)
        declared = full;
    const qint64 room = (h.pixelOffset - start) / entrySize;
    qint64 used = std::min(declared, full);
    if (declared > full && declared > room)
        fail("调色板大小无效");
    used = std::min(used, room);
    const uchar *p = bytes.at(start, used * entrySize);
    for (qint64 i = 0; i < used; ++i, p += entrySize)
        h.palette[size_t(i)] = quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16;
}

void checkCompression(const Header &h)
{
    switch (h.compression) {
    case Rgb:
        if (h.bitCount != 1 && h.bitCount != 2 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16
            && h.bitCount != 24 && h.bitCount != 32)
            fail("每像素位数无效");
        return;
    case Rle8:
    case Rle4:
        if (h.bitCount != (h.compression == Rle8 ? 8 : 4))
            fail("压缩方式与每像素位数不符");
        if (h.topDown)
            fail("自上而下的行不能压缩");
        return;
    case BitFields:
    case AlphaBitFields:
        if (h.bitCount != 16 && h.bitCount != 32)
            fail("压缩方式与每像素位数不符");
        return;
    default:
        fail("不支持的压缩方式");
    }
}

Header readHeader(const Bytes &bytes)
{
    if (bytes.size() < 2 || bytes.at(0, 2)[0] != 'B' || bytes.at(0, 2)[1] != 'M')
        fail("文件头不是“BM”");
    Header h;
    h.pixelOffset = bytes.u32(10);
    const quint32 infoSize = bytes.u32(14);
    const bool core = infoSize == 12;
    const bool os2 = !core && !isWindowsHeader(infoSize) && infoSize >= 16 && infoSize <= 64;
    if (!core && !os2 && !isWindowsHeader(infoSize))
        fail("信息头大小无效");
    bytes.at(14, infoSize);

    quint16 planes = 0;
    qint64 declaredColours = 0;
    qint64 declaredImageBytes = 0;
    if (core) {
        h.width = bytes.u16(18);
        h.height = bytes.u16(20);
        planes = bytes.u16(22);
        h.bitCount = bytes.u16(24);
    } else {
        h.width = bytes.i32(18);
        h.height = bytes.i32(22);
        planes = bytes.u16(26);
        h.bitCount = bytes.u16(28);
        h.compression = infoSize >= 20 ? bytes.u32(30) : Rgb;
        declaredImageBytes = infoSize >= 24 ? bytes.u32(34) : 0;
        declaredColours = infoSize >= 36 ? bytes.u32(46) : 0;
        // OS/2 gives 3 and 4 other meanings (Huffman, RLE24): refused.
        if (os2 && h.compression != Rgb && h.compression != Rle8 && h.compression != Rle4)
            fail("不支持的 OS/2 压缩方式");
    }
    if (planes != 1)
        fail("位面数不是 1");
    if (h.height < 0) {
        h.topDown = true;
        h.height = -h.height;
    }
    checkCompression(h);
    ImageLimits::check(h.width, h.height);

    qint64 paletteStart = 14 + qint64(infoSize);
    if (h.compression == BitFields || h.compression == AlphaBitFields) {
        qint64 maskOffset = 54;
        if (infoSize == 40)
            paletteStart += h.compression == AlphaBitFields ? 16 : 12;
        for (quint32 &mask : h.masks) {
            mask = bytes.u32(maskOffset);
            maskOffset += 4;
        }
    } else if (h.bitCount == 16) {
        h.masks = {0x7c00, 0x03e0, 0x001f};
    } else if (h.bitCount == 32) {
        h.masks = {0x00ff0000, 0x0000ff00, 0x000000ff};
    }
    if (h.pixelOffset < paletteStart || h.pixelOffset > bytes.size())
        fail("像素数据位置无效");
    // The size is optional (0), but one the file cannot hold is a lie.
    if (declaredImageBytes > bytes.size() - h.pixelOffset)
        fail("像素数据大小无效");
    readPalette(bytes, h, paletteStart, core ? 3 : 4, declaredColours);
    return h;
}

class PixelWriter {
public:
    PixelWriter(Bitmap &bitmap, const Header &h)
        : m_bitmap(bitmap), m_header(h)
    {
    }
    uchar *row(qint64 fileRow) const
    {
        return m_bitmap.scanLine(int(m_header.topDown ? fileRow : m_header.height - 1 - fileRow));
    }

private:
    Bitmap &m_bitmap;
    const Header &m_header;
};

void putWord(uchar *to, quint32 bgr)
{
    std::memcpy(to, &bgr, 4);
}

void decodeRow(const Header &h, const uchar *from, uchar *to, const std::array<Channel, 3> &channels)
{
    const qint64 w = h.width;
    switch (h.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8: {
        const int bits = h.bitCount;
        const int perByte = 8 / bits;
        const quint32 mask = (1u << bits) - 1;
        for (qint64 x = 0; x < w; ++x) {
            const int shift = 8 - bits * int(x % perByte + 1);
            putWord(to + 4 * x, h.palette[(from[x / perByte] >> shift) & mask]);
        }
        return;
    }
    case 24:
        for (qint64 x = 0; x < w; ++x) {
            to[4 * x] = from[3 * x];
            to[4 * x + 1] = from[3 * x + 1];
            to[4 * x + 2] = from[3 * x + 2];
            to[4 * x + 3] = 0;
        }
        return;
    case 32:
        if (h.compression == Rgb) {
            std::memcpy(to, from, size_t(w) * 4);
            return;
        }
        [[fallthrough]];
    default: {
        const int size = h.bitCount / 8;
        for (qint64 x = 0; x < w; ++x) {
            const uchar *p = from + size * x;
            const quint32 pixel = size == 2 ? quint32(p[0] | p[1] << 8)
                                            : quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16
                                                  | quint32(p[3]) << 24;
            to[4 * x] = channels[2].value(pixel);
            to[4 * x + 1] = channels[1].value(pixel);
            to[4 * x + 2] = channels[0].value(pixel);
            to[4 * x + 3] = 0;
        }
    }
    }
}

Bitmap decodeUncompressed(const Bytes &bytes, const Header &h)
{
    const qint64 rowBytes = (h.width * h.bitCount + 31) / 32 * 4;
    const qint64 lastRowBytes = (h.width * h.bitCount + 7) / 8;
    // The last row's padding may be missing; its pixels may not. Checked
    // before the pixels are allocated, so a short file claiming a large
    // picture costs nothing.
    bytes.at(h.pixelOffset, rowBytes * (h.height - 1) + lastRowBytes);
    Bitmap bitmap(int(h.width), int(h.height));
    const std::array<Channel, 3> channels {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
    const PixelWriter writer(bitmap, h);
    for (qint64 i = 0; i < h.height; ++i)
        decodeRow(h, bytes.at(h.pixelOffset + i * rowBytes, lastRowBytes), writer.row(i), channels);
    return bitmap;
}

// Runs, ends of line, deltas and absolute runs as Windows writes them. A
// stream that ends early leaves the rest black. Some writers code the whole
// padded row, so pixels in a row's padding are dropped; a pixel beyond the
// padding or below the last row is refused.
Bitmap decodeRunLength(const Bytes &bytes, const Header &h)
{
    Bitmap bitmap(int(h.width), int(h.height));
    const bool eightBits = h.compression == Rle8;
    const qint64 paddedWidth = (h.width * h.bitCount + 31) / 32 * 32 / h.bitCount;
    const PixelWriter writer(bitmap, h);
    qint64 x = 0;
    qint64 y = 0;
    auto put = [&](quint32 index) {
        if (y >= h.height || x >= paddedWidth)
            fail("游程数据超出图片范围");
        if (x < h.width)
            putWord(writer.row(y) + 4 * x, h.palette[index]);
        ++x;
    };
    const auto nibble = [](uchar pair, qint64 i) { return quint32(i % 2 == 0 ? pair >> 4 : pair & 0x0f); };

    qint64 pos = h.pixelOffset;
    while (pos + 2 <= bytes.size()) {
        const uchar *code = bytes.at(pos, 2);
        pos += 2;
        const int count = code[0];
        const uchar value = code[1];
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(eightBits ? value : nibble(value, i));
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            const uchar *delta = bytes.at(pos, 2);
            pos += 2;
            x += delta[0];
            y += delta[1];
            if (x > paddedWidth || y > h.height)
                fail("游程数据超出图片范围");
        } else {
            const qint64 dataBytes = eightBits ? value : (value + 1) / 2;
            const uchar *data = bytes.at(pos, dataBytes);
            pos += (dataBytes + 1) / 2 * 2;
            for (int i = 0; i < value; ++i)
                put(eightBits ? data[i] : nibble(data[i / 2], i));
        }
    }
    return bitmap;
}

} // namespace

Bitmap read(const QByteArray &data)
{
    const Bytes bytes(data);
    const Header header = readHeader(bytes);
    if (header.compression == Rle8 || header.compression == Rle4)
        return decodeRunLength(bytes, header);
    return decodeUncompressed(bytes, header);
}

Bitmap readFile(const QString &path)
{
    const QByteArray data = PictureFile::read(path);
    try {
        return read(data);
    } catch (const ImagingError &e) {
        throw ImagingError(QStringLiteral("%1（%2）")
                               .arg(QString::fromUtf8(e.what()), QDir::toNativeSeparators(path))
                               .toStdString());
    }
}

} // namespace BmpReader
