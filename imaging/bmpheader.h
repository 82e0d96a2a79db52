#pragma once

#include "imaging/bmpsource.h"

#include <array>

// What the headers and the palette of a BMP file say, checked: a size within
// ImageLimits, one plane, a bit count and compression that go together, a
// palette and pixel offset inside the file.
struct BmpHeader {
    enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = Rgb;
    std::array<quint32, 3> masks {}; // red, green, blue
    qint64 pixelOffset = 0;
    std::array<quint32, 256> palette {}; // blue, green, red, 0 as a little-endian word; black past the end

    bool runLength() const { return compression == Rle8 || compression == Rle4; }
    qint64 rowBytes() const { return (width * bitCount + 31) / 32 * 4; }

    static BmpHeader read(const BmpSource &source);
};
