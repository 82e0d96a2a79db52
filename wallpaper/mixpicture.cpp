#include "wallpaper/mixpicture.h"

#include <QString>

#include <algorithm>

namespace {

constexpr int rightMargin = 50;

void blendRow(const uchar *overlay, uchar *base, int columns, int level)
{
    for (int k = 0; k < columns; ++k, overlay += 4, base += 4) {
        if (overlay[0] == 255 && overlay[1] == 255 && overlay[2] == 255)
            continue;
        for (int b = 0; b < 4; ++b)
            base[b] = uchar(base[b] + (overlay[b] - base[b]) * level / 100);
    }
}

[[noreturn]] void refuseSizes(const Bitmap &content, const Bitmap &background, int topOffset)
{
    throw MixError(QStringLiteral("内容图片（%1×%2）和背景图片（%3×%4）大小不合，无法合成壁纸。"
                                  "背景图片应比内容图片宽出至少 %5 像素、高出至少 %6 像素。")
                       .arg(content.width())
                       .arg(content.height())
                       .arg(background.width())
                       .arg(background.height())
                       .arg(rightMargin)
                       .arg(topOffset)
                       .toStdString());
}

} // namespace

Bitmap &MixPicture(Bitmap &Pic1, Bitmap &Pic2, int TopOffset, int Level, bool CenterMix)
{
    if (Level < 0 || Level > 100)
        throw MixError(QStringLiteral("混合比例 %1 无效，应在 0 到 100 之间。").arg(Level).toStdString());

    const int c = std::min(Pic1.height(), Pic2.height());
    const int d = std::min(Pic1.width(), Pic2.width());
    const int e = std::max(Pic1.width(), Pic2.width());
    const int x0 = CenterMix ? (e - d) / 2 : e - d - rightMargin;

    const bool contentIsBase = Pic2.height() == c;
    Bitmap &base = contentIsBase ? Pic1 : Pic2;
    const Bitmap &overlay = contentIsBase ? Pic2 : Pic1;
    const qint64 y0 = contentIsBase ? 0 : TopOffset;

    if (c > 0 && (y0 < 0 || y0 + c > base.height()))
        throw MixError("Scan line index out of range");
    if (c > 0 && d > 0 && (x0 < 0 || qint64(x0) + d > base.width()))
        refuseSizes(Pic1, Pic2, TopOffset);

    if (d > 0) {
        for (int r = 0; r < c; ++r)
            blendRow(overlay.scanLine(r), base.scanLine(int(y0) + r) + 4 * qsizetype(x0), d, Level);
    }
    return base;
}
