// Draws the standard background A1.bmp: a calm 1920 x 1080 sky over a low
// hill, 24 bits per pixel. An existing file is kept.
#include "imaging/bitmap.h"
#include "imaging/bmpwriter.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstdio>
#include <exception>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Soft blue at the top fading into a pale horizon, with a faint low hill.
void paint(uchar *pixel, int x, int y)
{
    const double t = double(y) / (kHeight - 1);
    const double hill = 0.78 + 0.05 * std::sin(x * 0.0031) + 0.03 * std::sin(x * 0.0011 + 1.3);
    double r, g, b;
    if (t > hill) {
        const double s = (t - hill) / (1.0 - hill);
        r = 150 - 40 * s;
        g = 182 - 30 * s;
        b = 160 - 35 * s;
    } else {
        r = 96 + 140 * t;
        g = 148 + 96 * t;
        b = 214 + 30 * t;
    }
    pixel[0] = uchar(b);
    pixel[1] = uchar(g);
    pixel[2] = uchar(r);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkbackground OUTPUT.bmp\n");
        return 1;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path))
        return 0;
    try {
        Bitmap picture(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                paint(picture.scanLine(y) + 4 * x, x, y);
        // Drawn under another name and renamed, so a half-written picture
        // never stands where the program looks for it.
        const QString temporary = path + QStringLiteral(".new");
        BmpWriter::writeFile(picture, temporary, BmpWriter::Depth::Bits24);
        return QFile::rename(temporary, path) ? 0 : 1;
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "mkbackground: %s\n", failure.what());
        return 1;
    }
}
