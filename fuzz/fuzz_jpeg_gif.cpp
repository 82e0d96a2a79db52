#include "imaging/gifdecoder.h"
#include "imaging/imagingerror.h"
#include "imaging/jpegcodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// A small decoded picture goes through the encoder and back: the size must
// survive the trip.
void roundTrip(const Bitmap &bitmap)
{
    if (qint64(bitmap.width()) * bitmap.height() > 256 * 256)
        return;
    const Bitmap again = JpegCodec::decode(JpegCodec::encode(bitmap, 90));
    if (again.width() != bitmap.width() || again.height() != bitmap.height())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        roundTrip(JpegCodec::decode(bytes));
    } catch (const ImagingError &) {
    }
    try {
        roundTrip(GifDecoder::decode(bytes));
    } catch (const ImagingError &) {
    }
    return 0;
}
