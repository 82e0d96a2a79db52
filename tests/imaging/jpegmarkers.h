#pragma once

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <array>

// The parts of a JPEG file's header that tell how it was encoded.
struct JpegMarkers {
    bool jfif = false;
    QList<int> frameTypes;                      // n of each SOFn marker
    int components = 0;
    QList<std::array<int, 64>> quantTables;     // in natural (row) order
};

inline JpegMarkers readJpegMarkers(const QByteArray &file)
{
    static constexpr int naturalOrder[64] = {
        0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
        41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
        30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    JpegMarkers markers;
    const auto byte = [&](qsizetype i) { return i < file.size() ? int(uchar(file[i])) : -1; };
    if (byte(0) != 0xff || byte(1) != 0xd8)
        return markers;
    qsizetype pos = 2;
    while (byte(pos) == 0xff) {
        const int marker = byte(pos + 1);
        const qsizetype length = byte(pos + 2) << 8 | byte(pos + 3);
        const qsizetype body = pos + 4;
        if (marker == 0xda || length < 2)
            break;
        if (marker == 0xe0 && file.mid(body, 5) == QByteArray("JFIF", 5))
            markers.jfif = true;
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc) {
            markers.frameTypes << marker - 0xc0;
            markers.components = byte(body + 5);
        }
        if (marker == 0xdb) {
            for (qsizetype t = body; t + 65 <= pos + 2 + length; t += 65) {
                std::array<int, 64> table {};
                for (int k = 0; k < 64; ++k)
                    table[size_t(naturalOrder[k])] = byte(t + 1 + k);
                markers.quantTables << table;
            }
        }
        pos += 2 + length;
    }
    return markers;
}

// libjpeg's standard tables scaled for a quality, as jpeg_set_quality does.
inline std::array<int, 64> standardQuantTable(bool chroma, int quality)
{
    static constexpr int luminance[64] = {
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    static constexpr int chrominance[64] = {
        17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
        99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
        99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
    const int scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
    std::array<int, 64> table {};
    for (int i = 0; i < 64; ++i)
        table[size_t(i)] = std::clamp(((chroma ? chrominance : luminance)[i] * scale + 50) / 100, 1, 255);
    return table;
}
