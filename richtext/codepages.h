#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

// Windows code pages as RTF names them (\ansicpg, \cpg) and the character
// sets of fonts (\fcharset), decoded through ICU.
namespace CodePages {

inline constexpr int kWestern = 1252;
inline constexpr int kChinese = 936;

// True when `codePage` can be decoded here.
bool supported(int codePage);

// True for the code pages of Chinese, Japanese and Korean, where a byte can
// start a pair.
bool doubleByte(int codePage);

// The code page a font's \fcharset stands for; the document's own code page
// for the ANSI and default sets and for sets this program does not know.
int forCharset(int charset, int documentCodePage);

} // namespace CodePages

// Decodes byte runs of several code pages, keeping one ICU converter per
// code page for the life of the cache.
class CodePageDecoders {
public:
    QString decode(int codePage, QByteArrayView bytes);

    // Decodes through `codePage` when the bytes are valid there, otherwise
    // through `fallback`.
    QString decode(int codePage, int fallback, QByteArrayView bytes);

private:
    std::map<int, QStringDecoder> m_decoders;
};
