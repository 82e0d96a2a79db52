#pragma once

#include "imaging/bitmap.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

// The largest difference of any colour byte between a bitmap and a
// reference picture of the same size; -1 when the sizes differ.
inline int maxColourDifference(const Bitmap &bitmap, const QImage &reference)
{
    const QImage rgb = reference.convertToFormat(QImage::Format_RGB32);
    if (rgb.width() != bitmap.width() || rgb.height() != bitmap.height())
        return -1;
    int worst = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        const uchar *a = bitmap.scanLine(y);
        const uchar *b = rgb.constScanLine(y);
        for (int i = 0; i < bitmap.width() * 4; ++i) {
            if (i % 4 != 3)
                worst = std::max(worst, std::abs(a[i] - b[i]));
        }
    }
    return worst;
}

// Smooth colour gradients, which JPEG keeps within a few levels; the fourth
// byte holds noise that no codec may read.
inline Bitmap makeTestBitmap(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        uchar *p = bitmap.scanLine(y);
        for (int x = 0; x < width; ++x, p += 4) {
            p[0] = uchar(x * 255 / std::max(width - 1, 1));
            p[1] = uchar(y * 255 / std::max(height - 1, 1));
            p[2] = uchar((x + 2 * y) * 255 / (width + 2 * height));
            p[3] = uchar(x * 37 + y * 11);
        }
    }
    return bitmap;
}
