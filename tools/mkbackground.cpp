// Draws the standard background A1.bmp: a calm 1920 x 1080 sky, 24 bits per
// pixel, bottom-up rows as BMP files keep them. An existing file is kept.
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void putLe32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void putLe16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

// Soft blue at the top fading into a pale horizon, with a faint low hill.
void pixelAt(int x, int y, unsigned char &r, unsigned char &g, unsigned char &b)
{
    const double t = double(y) / (kHeight - 1);
    const double hill = 0.78 + 0.05 * std::sin(x * 0.0031) + 0.03 * std::sin(x * 0.0011 + 1.3);
    if (t > hill) {
        const double s = (t - hill) / (1.0 - hill);
        r = static_cast<unsigned char>(150 - 40 * s);
        g = static_cast<unsigned char>(182 - 30 * s);
        b = static_cast<unsigned char>(160 - 35 * s);
        return;
    }
    r = static_cast<unsigned char>(96 + 140 * t);
    g = static_cast<unsigned char>(148 + 96 * t);
    b = static_cast<unsigned char>(214 + 30 * t);
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

    const int rowBytes = (kWidth * 3 + 3) & ~3;
    const quint32 imageSize = quint32(rowBytes) * kHeight;
    QByteArray out;
    out.reserve(54 + int(imageSize));
    out.append("BM", 2);
    putLe32(out, 54 + imageSize);
    putLe32(out, 0);
    putLe32(out, 54);
    putLe32(out, 40);
    putLe32(out, kWidth);
    putLe32(out, kHeight);
    putLe16(out, 1);
    putLe16(out, 24);
    putLe32(out, 0);
    putLe32(out, imageSize);
    putLe32(out, 2835);
    putLe32(out, 2835);
    putLe32(out, 0);
    putLe32(out, 0);
    for (int row = kHeight - 1; row >= 0; --row) {
        for (int x = 0; x < kWidth; ++x) {
            unsigned char r, g, b;
            pixelAt(x, row, r, g, b);
            out.append(char(b)).append(char(g)).append(char(r));
        }
        out.append(QByteArray(rowBytes - kWidth * 3, '\0'));
    }
    QFile file(path + QStringLiteral(".new"));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
        std::fprintf(stderr, "mkbackground: cannot write %s\n", argv[1]);
        return 1;
    }
    file.close();
    return QFile::rename(file.fileName(), path) ? 0 : 1;
}
