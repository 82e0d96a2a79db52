#include "imaging/imagingerror.h"
#include "imaging/pngdecoder.h"
#include "imaging/webpdecoder.h"

#include <cstddef>
#include <cstdint>

namespace {

// Touch every row so a row pointer that lies is caught.
void touch(const Bitmap &bitmap)
{
    volatile uchar sink = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        sink = sink ^ bitmap.scanLine(y)[bitmap.bytesPerLine() - 1];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        touch(PngDecoder::decode(bytes));
    } catch (const ImagingError &) {
    }
    try {
        touch(WebpDecoder::decode(bytes));
    } catch (const ImagingError &) {
    }
    return 0;
}
