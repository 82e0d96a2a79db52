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

// What the placement needs, for the case at hand: the notes go on the
// background when it is the taller picture; otherwise the background is laid
// on the notes.
QString sizeRequirement(bool contentIsBase, bool centred, int topOffset)
{
    if (!contentIsBase) {
        return centred ? QStringLiteral("记事居中放置（位置 B）时，背景图片至少要和内容图片一样宽。")
                       : QStringLiteral("记事靠右放置（位置 A、C）时，背景图片应比内容图片宽出至少 %1 像素。")
                             .arg(rightMargin);
    }
    const QString laidOnNotes =
        centred ? QStringLiteral("背景图片不比内容图片高，只能居中叠在内容图片上，这时背景图片不能比内容图片宽。")
                : QStringLiteral("背景图片不比内容图片高，只能叠在内容图片上，这时背景图片应比内容图片窄至少 %1 像素。")
                      .arg(rightMargin);
    const QString onBackground =
        centred ? QStringLiteral("要把记事放到背景上，背景图片应比内容图片高出至少 %1 像素，且不比内容图片窄。")
                      .arg(topOffset)
                : QStringLiteral("要把记事放到背景上，背景图片应比内容图片高出至少 %1 像素、宽出至少 %2 像素。")
                      .arg(topOffset)
                      .arg(rightMargin);
    return laidOnNotes + onBackground;
}

[[noreturn]] void refuseSizes(const Bitmap &content, const Bitmap &background, const QString &requirement)
{
    throw MixError(QStringLiteral("内容图片（%1×%2）和背景图片（%3×%4）大小不合，无法合成壁纸。%5")
                       .arg(content.width())
                       .arg(content.height())
                       .arg(background.width())
                       .arg(background.height())
                       .arg(requirement)
                       .toStdString());
}

} // namespace

Bitmap &MixPicture(Bitmap &Pic1, Bitmap &Pic2, int TopOffset, int Level, bool CenterMix, const QRect &placementArea)
{
    if (Level < 0 || Level > 100)
        throw MixError(QStringLiteral("混合比例 %1 无效，应在 0 到 100 之间。").arg(Level).toStdString());

    const int c = std::min(Pic1.height(), Pic2.height());
    const int d = std::min(Pic1.width(), Pic2.width());
    const bool contentIsBase = Pic2.height() == c;
    Bitmap &base = contentIsBase ? Pic1 : Pic2;
    const Bitmap &overlay = contentIsBase ? Pic2 : Pic1;

    // Laid on the notes, the background keeps to the notes' own edges.
    const bool inArea = !contentIsBase && !placementArea.isNull();
    const qint64 left = inArea ? placementArea.x() : 0;
    const qint64 e = std::max(Pic1.width(), inArea ? placementArea.width() : Pic2.width());
    const qint64 x0 = left + (CenterMix ? (e - d) / 2 : e - d - rightMargin);
    const qint64 y0 = contentIsBase ? 0 : (inArea ? placementArea.y() : 0) + qint64(TopOffset);

    if (c > 0 && (y0 < 0 || y0 + c > base.height()))
        throw MixError("Scan line index out of range");
    if (c > 0 && d > 0 && (x0 < 0 || x0 + d > base.width()))
        refuseSizes(Pic1, Pic2, sizeRequirement(contentIsBase, CenterMix, TopOffset));

    if (d > 0) {
        for (int r = 0; r < c; ++r)
            blendRow(overlay.scanLine(r), base.scanLine(int(y0) + r) + 4 * qsizetype(x0), d, Level);
    }
    return base;
}
