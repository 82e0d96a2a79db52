#include "imaging/bmpreader.h"
#include "imaging/imagingerror.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const Bitmap bitmap = BmpReader::read(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
        // Touch every row so a row pointer that lies is caught.
        volatile uchar sink = 0;
        for (int y = 0; y < bitmap.height(); ++y)
            sink = sink ^ bitmap.scanLine(y)[bitmap.bytesPerLine() - 1];
    } catch (const ImagingError &) {
    }
    return 0;
}
