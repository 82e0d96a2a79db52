#include "richtext/runformat.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// Pixel sizes are taken at the 96 dots per inch that Windows assumes.
constexpr double kPointsPerPixel = 72.0 / 96.0;

QString familyOf(const QTextCharFormat &format, const QFont &defaultFont)
{
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty())
        return families.first();
    if (format.hasProperty(QTextFormat::FontFamily))
        return format.stringProperty(QTextFormat::FontFamily);
    return defaultFont.families().value(0, defaultFont.family());
}

double pointsOf(const QTextCharFormat &format, const QFont &defaultFont)
{
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        return format.fontPointSize();
    if (format.hasProperty(QTextFormat::FontPixelSize) && format.intProperty(QTextFormat::FontPixelSize) > 0)
        return format.intProperty(QTextFormat::FontPixelSize) * kPointsPerPixel;
    if (defaultFont.pointSizeF() > 0)
        return defaultFont.pointSizeF();
    if (defaultFont.pixelSize() > 0)
        return defaultFont.pixelSize() * kPointsPerPixel;
    return 12.0;
}

bool underlineOf(const QTextCharFormat &format, const QFont &defaultFont)
{
    if (format.hasProperty(QTextFormat::TextUnderlineStyle)) {
        const auto style = format.underlineStyle();
        return style != QTextCharFormat::NoUnderline && style != QTextCharFormat::SpellCheckUnderline;
    }
    if (format.hasProperty(QTextFormat::FontUnderline))
        return format.boolProperty(QTextFormat::FontUnderline);
    return defaultFont.underline();
}

} // namespace

RunFormat RunFormat::of(const QTextCharFormat &format, const QFont &defaultFont)
{
    RunFormat run;
    run.family = familyOf(format, defaultFont);
    const long halfPoints = std::lround(pointsOf(format, defaultFont) * 2);
    run.halfPoints = int(std::clamp(halfPoints, 1L, long(kMaxHalfPoints)));
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        run.color = format.foreground().color().rgb() & 0xFFFFFF;
    run.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() > QFont::Medium
                                                           : defaultFont.bold();
    run.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    run.underline = underlineOf(format, defaultFont);
    run.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut()
                                                                : defaultFont.strikeOut();
    return run;
}

QTextCharFormat RunFormat::toCharFormat(bool withFamily) const
{
    QTextCharFormat format;
    if (withFamily)
        format.setFontFamilies({family});
    format.setFontPointSize(halfPoints / 2.0);
    if (color)
        format.setForeground(QColor(*color));
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    format.setFontStrikeOut(strike);
    return format;
}
