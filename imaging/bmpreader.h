#pragma once

#include "imaging/bitmap.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>
#include <vector>

// Windows BMP files of 1, 2, 4, 8, 16, 24 and 32 bits a pixel: bottom-up and
// top-down rows, uncompressed, run-length coded (8 and 4 bits) and with
// colour masks; the headers of Windows (40 to 124 bytes) and of OS/2 (12,
// and 16 to 64 bytes). Embedded JPEG or PNG data, OS/2 Huffman and RLE24
// coding are refused.
//
// Palette indexes beyond the palette give black. The fourth byte of a pixel
// is copied from 32-bit files without masks and is 0 otherwise.
//
// Anything damaged (truncated data, a size beyond ImageLimits, a run that
// leaves its row) throws ImagingError; nothing is read outside the data.
namespace BmpReader {

Bitmap read(const QByteArray &data);
Bitmap readFile(const QString &path);

// Reads a file's rows a band at a time, top band first, as 32-bit pixels:
// an encoder then needs no second whole picture in memory. Run-length coded
// files are decoded whole.
class BandReader {
public:
    static constexpr int bandRows = 64;

    // Throws ImagingError, as readFile does.
    explicit BandReader(const QString &path);
    ~BandReader();

    int width() const;
    int height() const;
    // Row pointers, top first, for picture rows top .. top + count - 1, with
    // count at most bandRows; valid until the next call.
    uchar *const *readBand(int top, int count);

private:
    struct State;
    QString m_path;
    QFile m_file;
    std::unique_ptr<State> m_state;
};

} // namespace BmpReader
