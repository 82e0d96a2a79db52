#pragma once

#include <QString>

// The character set a font is declared with in the font table. A Chinese
// face is written with the GB2312 set (\fcharset134), so that Windows
// programs read its \'hh\'hh pairs through code page 936; every other face
// with the ANSI set.
namespace FontCharset {

inline constexpr int kAnsi = 0;
inline constexpr int kGb2312 = 134;

bool isChineseFace(const QString &family);

inline int of(const QString &family)
{
    return isChineseFace(family) ? kGb2312 : kAnsi;
}

} // namespace FontCharset
