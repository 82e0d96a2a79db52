#include "imaging/bmpheader.h"

#include "imaging/imagelimits.h"

#include <vector>

namespace {

bool isWindowsHeader(quint32 size)
{
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

void checkCompression(const BmpHeader &h)
{
    switch (h.compression) {
    case BmpHeader::Rgb:
        if (h.bitCount != 1 && h.bitCount != 2 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16
            && h.bitCount != 24 && h.bitCount != 32)
            failBmp("每像素位数无效");
        return;
    case BmpHeader::Rle8:
    case BmpHeader::Rle4:
        if (h.bitCount != (h.compression == BmpHeader::Rle8 ? 8 : 4))
            failBmp("压缩方式与每像素位数不符");
        if (h.topDown)
            failBmp("自上而下的行不能压缩");
        return;
    case BmpHeader::BitFields:
    case BmpHeader::AlphaBitFields:
        if (h.bitCount != 16 && h.bitCount != 32)
            failBmp("压缩方式与每像素位数不符");
        return;
    default:
        failBmp("不支持的压缩方式");
    }
}

// A palette may hold fewer entries than the bit count allows, or claim more
// than it holds; only the entries that are really there are read.
void readPalette(const BmpSource &source, BmpHeader &h, qint64 start, int entrySize, qint64 declared)
{
    if (h.bitCount > 8)
        return;
    const qint64 full = qint64(1) << h.bitCount;
    if (declared == 0)
        declared = full;
    const qint64 room = (h.pixelOffset - start) / entrySize;
    if (declared > full && declared > room)
        failBmp("调色板大小无效");
    const qint64 used = std::min({declared, full, room});
    std::vector<uchar> entries(size_t(used * entrySize));
    source.read(start, used * entrySize, entries.data());
    for (qint64 i = 0; i < used; ++i) {
        const uchar *p = entries.data() + i * entrySize;
        h.palette[size_t(i)] = quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16;
    }
}

} // namespace

BmpHeader BmpHeader::read(const BmpSource &source)
{
    if (source.size() < 2 || source.u16(0) != ('B' | 'M' << 8))
        failBmp("文件头不是“BM”");
    BmpHeader h;
    h.pixelOffset = source.u32(10);
    const quint32 infoSize = source.u32(14);
    const bool core = infoSize == 12;
    const bool os2 = !core && !isWindowsHeader(infoSize) && infoSize >= 16 && infoSize <= 64;
    if (!core && !os2 && !isWindowsHeader(infoSize))
        failBmp("信息头大小无效");
    if (14 + qint64(infoSize) > source.size())
        failBmp("文件不完整");

    quint16 planes = 0;
    qint64 declaredColours = 0;
    qint64 declaredImageBytes = 0;
    if (core) {
        h.width = source.u16(18);
        h.height = source.u16(20);
        planes = source.u16(22);
        h.bitCount = source.u16(24);
    } else {
        h.width = source.i32(18);
        h.height = source.i32(22);
        planes = source.u16(26);
        h.bitCount = source.u16(28);
        h.compression = infoSize >= 20 ? source.u32(30) : Rgb;
        declaredImageBytes = infoSize >= 24 ? source.u32(34) : 0;
        declaredColours = infoSize >= 36 ? source.u32(46) : 0;
        // OS/2 gives 3 and 4 other meanings (Huffman, RLE24): refused.
        if (os2 && h.compression != Rgb && h.compression != Rle8 && h.compression != Rle4)
            failBmp("不支持的 OS/2 压缩方式");
    }
    if (planes != 1)
        failBmp("位面数不是 1");
    if (h.height < 0) {
        h.topDown = true;
        h.height = -h.height;
    }
    checkCompression(h);
    ImageLimits::check(h.width, h.height);

    qint64 paletteStart = 14 + qint64(infoSize);
    if (h.compression == BitFields || h.compression == AlphaBitFields) {
        // Masks follow a 40-byte header; larger headers hold them.
        if (infoSize == 40)
            paletteStart += h.compression == AlphaBitFields ? 16 : 12;
        for (size_t i = 0; i < h.masks.size(); ++i)
            h.masks[i] = source.u32(54 + 4 * qint64(i));
    } else if (h.bitCount == 16) {
        h.masks = {0x7c00, 0x03e0, 0x001f};
    } else if (h.bitCount == 32) {
        h.masks = {0x00ff0000, 0x0000ff00, 0x000000ff};
    }
    if (h.pixelOffset < paletteStart || h.pixelOffset > source.size())
        failBmp("像素数据位置无效");
    // The size is optional (0), but one the file cannot hold is a lie.
    if (declaredImageBytes > source.size() - h.pixelOffset)
        failBmp("像素数据大小无效");
    readPalette(source, h, paletteStart, core ? 3 : 4, declaredColours);
    return h;
}
