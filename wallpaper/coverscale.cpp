#include "wallpaper/coverscale.h"

#include <QImage>

#include <algorithm>
#include <cstring>

namespace CoverScale {

namespace {

// a × b / c, rounded to the nearest integer, without overflow for any
// picture size.
int scaledRound(qint64 a, qint64 b, qint64 c)
{
    return int((a * b + c / 2) / c);
}

} // namespace

QRect sourceRect(QSize picture, QSize canvas)
{
    if (picture.isEmpty() || canvas.isEmpty())
        return QRect(QPoint(0, 0), picture);
    const bool pictureIsWider = qint64(picture.width()) * canvas.height() > qint64(canvas.width()) * picture.height();
    if (pictureIsWider) {
        const int width = std::clamp(scaledRound(picture.height(), canvas.width(), canvas.height()), 1, picture.width());
        return QRect((picture.width() - width) / 2, 0, width, picture.height());
    }
    const int height = std::clamp(scaledRound(picture.width(), canvas.height(), canvas.width()), 1, picture.height());
    return QRect(0, (picture.height() - height) / 2, picture.width(), height);
}

Bitmap covering(Bitmap picture, QSize canvas)
{
    const QSize size(picture.width(), picture.height());
    if (size == canvas || picture.isEmpty() || canvas.isEmpty())
        return picture;
    const QRect source = sourceRect(size, canvas);
    // Qt's smooth scaling reads the picture where it lies: a view of the
    // source rectangle over the bottom-up rows, so the view and its scaled
    // copy stand upside down, and the copy's rows are in a Bitmap's order.
    const qsizetype stride = picture.bytesPerLine();
    const int flippedTop = picture.height() - source.bottom() - 1;
    const uchar *first = picture.bottomUpBits() + flippedTop * stride + qsizetype(source.x()) * 4;
    const QImage view(first, source.width(), source.height(), stride, QImage::Format_RGB32);
    const QImage scaled = view.scaled(canvas, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    Bitmap result = Bitmap::forOverwrite(canvas.width(), canvas.height());
    const qsizetype rowBytes = result.bytesPerLine();
    uchar *rows = result.bottomUpBits();
    for (int y = 0; y < canvas.height(); ++y)
        std::memcpy(rows + y * rowBytes, scaled.constScanLine(y), size_t(rowBytes));
    return result;
}

} // namespace CoverScale
