#pragma once

#include <QFont>
#include <QString>

// The Windows font names the windows are designed with ("宋体", "微软雅黑",
// "幼圆", "MS Sans Serif", "Arial") are mapped to installed fonts that draw
// Simplified Chinese glyphs, whatever the locale, so the program never shows
// Japanese glyph shapes or empty boxes.
namespace ChineseFonts {

// Registers the substitutions and a Chinese default font for the application.
void install();

// A font for one of the design names, `pixelHeight` pixels high; after
// install() it draws with the mapped faces.
QFont font(const QString &designName, int pixelHeight, bool bold = false);

// The installed face that draws `designName` (the name itself where the
// program maps it to none), as the font lists show it.
QString installedFace(const QString &designName);

} // namespace ChineseFonts
