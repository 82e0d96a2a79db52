#include "imaging/bitmap.h"

#include "imaging/imagelimits.h"
#include "platform/largepages.h"

#include <cstring>
#include <utility>

namespace {

// A picture from about a megapixel on: a screen's wallpaper, a photo.
constexpr size_t kLargeBufferBytes = size_t(4) << 20;

} // namespace

Bitmap::Bitmap(int width, int height)
{
    allocate(width, height, true);
}

Bitmap Bitmap::forOverwrite(int width, int height)
{
    Bitmap bitmap;
    bitmap.allocate(width, height, false);
    return bitmap;
}

Bitmap::Bitmap(const Bitmap &other)
{
    *this = other;
}

Bitmap &Bitmap::operator=(const Bitmap &other)
{
    if (this == &other)
        return *this;
    allocate(other.m_width, other.m_height, false);
    std::memcpy(m_pixels.get(), other.m_pixels.get(), size_t(bytesPerLine()) * size_t(m_height));
    return *this;
}

Bitmap::Bitmap(Bitmap &&other) noexcept
{
    *this = std::move(other);
}

Bitmap &Bitmap::operator=(Bitmap &&other) noexcept
{
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    m_pixels = std::move(other.m_pixels);
    m_rows = std::move(other.m_rows);
    other.m_rows.clear();
    return *this;
}

void Bitmap::allocate(int width, int height, bool clear)
{
    // A picture with no pixels (0 × 0, or one side 0) is allowed: a loader
    // that has nothing to show gives one.
    if (width < 0 || height < 0 || (width > 0 && height > 0))
        ImageLimits::check(width, height);
    const size_t stride = size_t(width) * 4;
    const size_t bytes = stride * size_t(height);
    m_pixels = std::make_unique_for_overwrite<uchar[]>(bytes);
    // Before the first touch: the advice counts for pages not yet in use.
    if (bytes >= kLargeBufferBytes)
        adviseLargePages(m_pixels.get(), bytes);
    if (clear)
        std::memset(m_pixels.get(), 0, bytes);
    m_rows.resize(size_t(height));
    for (int y = 0; y < height; ++y)
        m_rows[size_t(y)] = m_pixels.get() + stride * size_t(height - 1 - y);
    m_width = width;
    m_height = height;
}

Bitmap Bitmap::fromQImage(const QImage &image)
{
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return Bitmap();
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Bitmap bitmap = forOverwrite(rgb.width(), rgb.height());
    // Format_RGB32 is 0xffRRGGBB in native order: blue, green, red, 0xff in
    // memory on the little-endian machines we build for.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    for (int y = 0; y < bitmap.height(); ++y)
        std::memcpy(bitmap.scanLine(y), rgb.constScanLine(y), size_t(bitmap.bytesPerLine()));
    return bitmap;
}

void Bitmap::flattenOnWhite()
{
    uchar *p = bottomUpBits();
    for (qint64 n = qint64(m_width) * m_height; n > 0; --n, p += 4) {
        const int opacity = p[3];
        for (int i = 0; i < 3; ++i)
            p[i] = uchar((p[i] * opacity + 255 * (255 - opacity) + 127) / 255);
        p[3] = 0;
    }
}

QImage Bitmap::toQImage() const
{
    if (isEmpty())
        return QImage();
    QImage image(m_width, m_height, QImage::Format_RGB32);
    for (int y = 0; y < m_height; ++y) {
        const uchar *from = scanLine(y);
        uchar *to = image.scanLine(y);
        for (int x = 0; x < m_width; ++x) {
            to[4 * x] = from[4 * x];
            to[4 * x + 1] = from[4 * x + 1];
            to[4 * x + 2] = from[4 * x + 2];
            to[4 * x + 3] = 0xff;
        }
    }
    return image;
}

bool operator==(const Bitmap &a, const Bitmap &b)
{
    if (a.m_width != b.m_width || a.m_height != b.m_height)
        return false;
    for (int y = 0; y < a.m_height; ++y) {
        if (std::memcmp(a.scanLine(y), b.scanLine(y), size_t(a.bytesPerLine())) != 0)
            return false;
    }
    return true;
}
