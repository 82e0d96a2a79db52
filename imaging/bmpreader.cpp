#include "imaging/bmpreader.h"

#include "imaging/bmpheader.h"
#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"
#include "imaging/picturefile.h"

#include <QtEndian>

#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace BmpReader {

namespace {

// One colour channel given by a mask, scaled to 8 bits.
class Channel {
public:
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

// The picture row that a row of the file fills.
uchar *pictureRow(Bitmap &bitmap, const BmpHeader &h, qint64 fileRow)
{
    return bitmap.scanLine(int(h.topDown ? fileRow : h.height - 1 - fileRow));
}

void putWord(uchar *to, quint32 bgr)
{
    std::memcpy(to, &bgr, 4);
}

void decodeIndexed(const BmpHeader &h, const uchar *from, uchar *to)
{
    const int bits = h.bitCount;
    const int perByte = 8 / bits;
    const quint32 mask = (1u << bits) - 1;
    for (qint64 x = 0; x < h.width; ++x) {
        const int shift = 8 - bits * int(x % perByte + 1);
        putWord(to + 4 * x, h.palette[(from[x / perByte] >> shift) & mask]);
    }
}

// Three bytes a pixel become four. Every pixel but the last is read as one
// word whose fourth byte, the next pixel's blue, is dropped: the row is read
// at a third of the loads.
void decode24(const uchar *from, uchar *to, qint64 width)
{
    qint64 x = 0;
    for (; x + 1 < width; ++x, from += 3, to += 4) {
        quint32 word;
        std::memcpy(&word, from, 4);
        putWord(to, qFromLittleEndian(word) & 0xFFFFFFu);
    }
    if (x < width)
        putWord(to, quint32(from[0]) | quint32(from[1]) << 8 | quint32(from[2]) << 16);
}

void decodeMasked(const BmpHeader &h, const uchar *from, uchar *to)
{
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const int size = h.bitCount / 8;
    for (qint64 x = 0; x < h.width; ++x, from += size, to += 4) {
        const quint32 pixel = size == 2 ? quint32(from[0] | from[1] << 8)
                                        : quint32(from[0]) | quint32(from[1]) << 8 | quint32(from[2]) << 16
                                              | quint32(from[3]) << 24;
        to[0] = blue.value(pixel);
        to[1] = green.value(pixel);
        to[2] = red.value(pixel);
        to[3] = 0;
    }
}

void decodeRow(const BmpHeader &h, const uchar *from, uchar *to)
{
    if (h.bitCount <= 8) {
        decodeIndexed(h, from, to);
    } else if (h.bitCount == 24) {
        decode24(from, to, h.width);
    } else if (h.bitCount == 32 && h.compression == BmpHeader::Rgb) {
        std::memcpy(to, from, size_t(h.width) * 4);
    } else {
        decodeMasked(h, from, to);
    }
}

// The last row's padding may be missing; its pixels may not. Checked
// before the pixels are allocated, so a short file claiming a large picture
// costs nothing.
void checkPixelsPresent(const BmpSource &source, const BmpHeader &h)
{
    if (h.rowBytes() * (h.height - 1) + (h.width * h.bitCount + 7) / 8 > source.size() - h.pixelOffset)
        failBmp("文件不完整");
}

Bitmap decodeUncompressed(const BmpSource &source, const BmpHeader &h)
{
    checkPixelsPresent(source, h);
    const qint64 rowBytes = h.rowBytes();
    const qint64 available = source.size() - h.pixelOffset;
    Bitmap bitmap = Bitmap::forOverwrite(int(h.width), int(h.height));

    // A bottom-up 32-bit file holds the picture's own memory layout.
    if (h.bitCount == 32 && h.compression == BmpHeader::Rgb && !h.topDown) {
        source.read(h.pixelOffset, rowBytes * h.height, bitmap.bottomUpBits());
        return bitmap;
    }
    const qint64 rowsPerPiece = std::max<qint64>(1, (qint64(1) << 20) / rowBytes);
    std::vector<uchar> piece(size_t(rowBytes * rowsPerPiece));
    for (qint64 first = 0; first < h.height; first += rowsPerPiece) {
        const qint64 rows = std::min(rowsPerPiece, h.height - first);
        const qint64 offset = first * rowBytes;
        source.read(h.pixelOffset + offset, std::min(rows * rowBytes, available - offset), piece.data());
        for (qint64 i = 0; i < rows; ++i)
            decodeRow(h, piece.data() + i * rowBytes, pictureRow(bitmap, h, first + i));
    }
    return bitmap;
}

// Runs, ends of line, deltas and absolute runs as Windows writes them. A
// stream that ends early leaves the rest black. Some writers code the whole
// padded row, so pixels in a row's padding are dropped; a pixel beyond the
// padding or below the last row is refused.
Bitmap decodeRunLength(const BmpSource &source, const BmpHeader &h)
{
    // Runs that write nothing could pad a file without end; more data than
    // any picture within the limits needs is not read.
    std::vector<uchar> data(size_t(std::min(source.size() - h.pixelOffset, ImageLimits::maxFileBytes)));
    source.read(h.pixelOffset, qint64(data.size()), data.data());
    const qint64 size = qint64(data.size());
    auto at = [&](qint64 pos, qint64 length) {
        if (length > size - pos)
            failBmp("文件不完整");
        return data.data() + pos;
    };

    Bitmap bitmap(int(h.width), int(h.height));
    const bool eightBits = h.compression == BmpHeader::Rle8;
    const qint64 paddedWidth = h.rowBytes() * 8 / h.bitCount;
    qint64 x = 0;
    qint64 y = 0;
    auto put = [&](quint32 index) {
        if (y >= h.height || x >= paddedWidth)
            failBmp("游程数据超出图片范围");
        if (x < h.width)
            putWord(pictureRow(bitmap, h, y) + 4 * x, h.palette[index]);
        ++x;
    };
    const auto nibble = [](uchar pair, qint64 i) { return quint32(i % 2 == 0 ? pair >> 4 : pair & 0x0f); };

    qint64 pos = 0;
    while (pos + 2 <= size) {
        const int count = data[size_t(pos)];
        const uchar value = data[size_t(pos + 1)];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(eightBits ? value : nibble(value, i));
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            const uchar *delta = at(pos, 2);
            pos += 2;
            x += delta[0];
            y += delta[1];
            if (x > paddedWidth || y > h.height)
                failBmp("游程数据超出图片范围");
        } else {
            const qint64 dataBytes = eightBits ? value : (value + 1) / 2;
            const uchar *run = at(pos, dataBytes);
            pos += (dataBytes + 1) / 2 * 2;
            for (int i = 0; i < value; ++i)
                put(eightBits ? run[i] : nibble(run[i / 2], i));
        }
    }
    return bitmap;
}

Bitmap decode(const BmpSource &source)
{
    const BmpHeader header = BmpHeader::read(source);
    return header.runLength() ? decodeRunLength(source, header) : decodeUncompressed(source, header);
}

} // namespace

Bitmap read(const QByteArray &data)
{
    return decode(MemoryBmpSource(data));
}

Bitmap readFile(const QString &path)
{
    QFile file(path);
    PictureFile::openForReading(file, path);
    try {
        return decode(FileBmpSource(file));
    } catch (const ImagingError &e) {
        throw e.inFile(path);
    }
}

struct BandReader::State {
    explicit State(QFile &file)
        : source(file), header(BmpHeader::read(source))
    {
    }
    FileBmpSource source;
    BmpHeader header;
    Bitmap whole;                  // run-length files only
    std::vector<uchar> piece;      // the file's rows of one band
    std::vector<uchar> pixels;     // the band as 32-bit pixels
    std::vector<uchar *> rows;
};

BandReader::BandReader(const QString &path)
    : m_path(path), m_file(path)
{
    PictureFile::openForReading(m_file, path);
    try {
        m_state = std::make_unique<State>(m_file);
        State &s = *m_state;
        const BmpHeader &h = s.header;
        if (h.runLength()) {
            s.whole = decodeRunLength(s.source, h);
            return;
        }
        checkPixelsPresent(s.source, h);
        s.piece.resize(size_t(h.rowBytes() * bandRows));
        s.pixels.resize(size_t(h.width * 4 * bandRows));
        s.rows.resize(bandRows);
    } catch (const ImagingError &e) {
        throw e.inFile(path);
    }
}

BandReader::~BandReader() = default;

int BandReader::width() const
{
    return int(m_state->header.width);
}

int BandReader::height() const
{
    return int(m_state->header.height);
}

uchar *const *BandReader::readBand(int top, int count)
{
    Q_ASSERT(count <= bandRows);
    State &s = *m_state;
    const BmpHeader &h = s.header;
    if (h.runLength())
        return s.whole.rows() + top;
    try {
        // The band's rows lie together in the file: in order for a top-down
        // file, reversed for a bottom-up one.
        const qint64 stride = h.rowBytes();
        const qint64 firstFileRow = h.topDown ? top : h.height - top - count;
        const qint64 offset = h.pixelOffset + firstFileRow * stride;
        s.source.read(offset, std::min(count * stride, s.source.size() - offset), s.piece.data());
        const bool direct = h.bitCount == 32 && h.compression == BmpHeader::Rgb;
        for (int i = 0; i < count; ++i) {
            uchar *fileRow = s.piece.data() + (h.topDown ? i : count - 1 - i) * stride;
            s.rows[size_t(i)] = direct ? fileRow : s.pixels.data() + i * h.width * 4;
            if (!direct)
                decodeRow(h, fileRow, s.rows[size_t(i)]);
        }
        return s.rows.data();
    } catch (const ImagingError &e) {
        throw e.inFile(m_path);
    }
}

} // namespace BmpReader
