#pragma once

#include <QImage>

#include <memory>
#include <vector>

// The picture the composer works on: 32 bits a pixel, the bytes of a pixel
// in the order blue, green, red and a fourth byte that carries no colour;
// row 0 is the top row; a row is exactly 4 × width bytes; one row pointer a
// row, so loops walk the rows without any per-pixel call.
//
// In memory the rows lie bottom row first, as in a BMP file, so a 32-bit
// BMP's pixels are read and written in one piece.
class Bitmap {
public:
    Bitmap() = default;
    // A black picture (every byte 0). Throws ImagingError when the size is
    // negative or beyond ImageLimits; a side of 0 gives an empty picture.
    Bitmap(int width, int height);
    // The same without clearing: for decoders that write every byte.
    static Bitmap forOverwrite(int width, int height);

    Bitmap(const Bitmap &other);
    Bitmap &operator=(const Bitmap &other);
    Bitmap(Bitmap &&other) noexcept;
    Bitmap &operator=(Bitmap &&other) noexcept;

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_width == 0 || m_height == 0; }
    qsizetype bytesPerLine() const { return qsizetype(m_width) * 4; }

    uchar *scanLine(int y) { return m_rows[y]; }
    const uchar *scanLine(int y) const { return m_rows[y]; }
    // The row pointers, top row first: the shape libjpeg reads and writes.
    uchar *const *rows() const { return m_rows.data(); }
    // All rows, bottom row first, without gaps: 4 × width × height bytes.
    uchar *bottomUpBits() { return m_pixels.get(); }
    const uchar *bottomUpBits() const { return m_pixels.get(); }

    // Lays every pixel over white by its fourth byte, read as the pixel's
    // straight (not premultiplied) opacity; the fourth byte then is 0.
    void flattenOnWhite();

    // The fourth byte becomes 0xFF, as QImage::Format_RGB32 keeps it.
    static Bitmap fromQImage(const QImage &image);
    QImage toQImage() const;

    friend bool operator==(const Bitmap &a, const Bitmap &b);

private:
    void allocate(int width, int height, bool clear);

    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<uchar[]> m_pixels;
    std::vector<uchar *> m_rows;
};
