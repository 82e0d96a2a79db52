#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <cmath>

// What the styled controls must show, written down by hand rather than asked
// of the code that draws them.
namespace XPPictures {

// The rows of the pictures, top to bottom. Step i of n has the colour
// start + round-half-even(i * (end - start) / (n - 1)) and starts at row
// MulDiv(i, h, n). With more steps than rows the dithering has no choice:
// it sets the first row of each later step to the step before.
//
// The 73 x 21 button: 71 x 19 pictures in 64 steps, dithered.
inline const QList<QRgb> kButtonFace{
    0xffffff, 0xfefefd, 0xfdfdfc, 0xfcfcfb, 0xfbfbfa, 0xfbfaf9, 0xfaf9f7, 0xf9f7f6, 0xf8f6f5, 0xf7f5f4,
    0xf6f4f2, 0xf6f3f1, 0xf5f2ef, 0xf4f1ee, 0xf3f0ed, 0xf2efec, 0xf1eeea, 0xf1ede9, 0xf0ece8};
inline const QList<QRgb> kButtonPressedFace{
    0xd6cfc6, 0xd8d1c8, 0xdad3ca, 0xdbd5cc, 0xddd7ce, 0xdfd9d0, 0xe0dad2, 0xe3ddd4, 0xe4ded6, 0xe6e0d8,
    0xe8e2da, 0xe9e4dc, 0xebe6de, 0xede8e0, 0xefeae2, 0xf1ece4, 0xf2eee6, 0xf4f0e7, 0xf6f2ea};
inline const QList<QRgb> kButtonFocusRing{
    0xcee7ff, 0xc8e1fe, 0xc3dcfd, 0xbfd7fc, 0xb8d1fb, 0xb4ccfb, 0xafc8fa, 0xa9c1f9, 0xa4bdf8, 0xa0b8f7,
    0x9ab2f6, 0x95adf6, 0x8fa7f5, 0x8aa2f4, 0x869df3, 0x7f97f2, 0x7b92f1, 0x768df1, 0x7087f0};
inline const QList<QRgb> kButtonHotRing{
    0xfff3ce, 0xfdedc1, 0xfce9b7, 0xfbe4ad, 0xfadea0, 0xf9da96, 0xf7d58d, 0xf6d080, 0xf5cb76, 0xf4c76c,
    0xf2c15f, 0xf1bc55, 0xefb648, 0xeeb23e, 0xedae34, 0xeca827, 0xeaa31d, 0xe99f14, 0xe89907};

// The check box: 11 x 11 pictures in 16 steps; the face is not dithered.
inline const QList<QRgb> kBoxFace{0xffffff, 0xfdfcfc, 0xfcfbfa, 0xfaf8f7, 0xf9f7f5, 0xf8f6f4,
                                  0xf5f3f1, 0xf4f2ef, 0xf2efec, 0xf1eeea, 0xefebe7};
inline const QList<QRgb> kBoxPressedFace{0xd6cfc6, 0xd8d1c8, 0xdad4cb, 0xdfd9d0, 0xe1dbd2, 0xe3ddd5,
                                         0xe8e2da, 0xeae5dc, 0xeee9e1, 0xf0ece4, 0xf5f1e9};
inline const QList<QRgb> kBoxHotRing{0xfff3ce, 0xfdedc0, 0xfce7b3, 0xf9da97, 0xf7d489, 0xf5ce7c,
                                     0xf2c160, 0xf1bb52, 0xedaf37, 0xeca929, 0xe99c0e};

// A picture `width` wide whose rows have the given colours.
inline QImage fromRows(int width, const QList<QRgb> &rows)
{
    QImage image(width, int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xff000000 | rows[y]);
    return image;
}

// The size of a one-line caption as the platform's text drawing lays it
// out: its width, and the height of its line, which grows where another
// font supplies glyphs the caption's own font lacks.
inline QSize captionSize(const QString &caption, const QFont &font)
{
    QImage canvas(1, 1, QImage::Format_RGB32);
    QPainter painter(&canvas);
    painter.setFont(font);
    const QRectF box = painter.boundingRect(QRectF(0, 0, 1000, 1000), Qt::AlignLeft | Qt::AlignTop, caption);
    return {int(std::ceil(box.width())), int(std::ceil(box.height()))};
}

// `base` with a one-line caption written on it in `colour`, its line box's
// top-left corner at `at`, clipped to that box.
inline QImage withCaption(QImage base, const QString &caption, const QFont &font, const QColor &colour, QPoint at)
{
    QPainter painter(&base);
    const QRect box(at, captionSize(caption, font));
    painter.setClipRect(box);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, caption);
    return base;
}

// The pointer comes into the window at `at`, as the platform tells it; the
// window then follows it from child to child by the mouse moves.
inline void enterWindow(QWidget &window, QPoint at)
{
    QEnterEvent enter(at, at, window.mapToGlobal(at));
    QCoreApplication::sendEvent(window.windowHandle(), &enter);
    QTest::mouseMove(window.windowHandle(), at);
}

} // namespace XPPictures
