#include "imaging/webpdecoder.h"

#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"
#include "imaging/picturefile.h"

#include <cstring>
#include <memory>
#include <webp/decode.h>
#include <webp/demux.h>

namespace WebpDecoder {

namespace {

[[noreturn]] void fail(const QString &reason)
{
    throw ImagingError(QStringLiteral("无法读取 WebP 图片：%1").arg(reason));
}

// libwebp's status codes in the user's words.
[[noreturn]] void failWith(VP8StatusCode status)
{
    switch (status) {
    case VP8_STATUS_NOT_ENOUGH_DATA:
        fail(QStringLiteral("图片数据不完整"));
    case VP8_STATUS_OUT_OF_MEMORY:
        fail(QStringLiteral("内存不足"));
    case VP8_STATUS_UNSUPPORTED_FEATURE:
        fail(QStringLiteral("不支持的WebP格式"));
    default:
        fail(QStringLiteral("图片数据已损坏"));
    }
}

// A RIFF container of WebP data.
bool hasWebpSignature(const QByteArray &data)
{
    return data.size() >= 12 && data.startsWith("RIFF") && data.mid(8, 4) == "WEBP";
}

// The container says how long it is: a file shorter than that was cut short.
bool cutShort(const QByteArray &data)
{
    const auto *size = reinterpret_cast<const uchar *>(data.constData()) + 4;
    const quint32 claimed = quint32(size[0]) | quint32(size[1]) << 8 | quint32(size[2]) << 16 | quint32(size[3]) << 24;
    return qint64(claimed) + 8 > data.size();
}

const uint8_t *bytesOf(const QByteArray &data)
{
    return reinterpret_cast<const uint8_t *>(data.constData());
}

// A still picture straight into the bitmap's rows: libwebp turns it upside
// down into the bottom-up memory.
void decodeStill(const QByteArray &data, Bitmap &bitmap)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        fail(QStringLiteral("解码器版本不符"));
    config.options.flip = 1;
    config.output.colorspace = MODE_BGRA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = bitmap.bottomUpBits();
    config.output.u.RGBA.stride = int(bitmap.bytesPerLine());
    config.output.u.RGBA.size = size_t(bitmap.bytesPerLine()) * size_t(bitmap.height());
    const VP8StatusCode status = WebPDecode(bytesOf(data), size_t(data.size()), &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK)
        failWith(status);
}

// The first picture of an animation, as the animation shows it.
void decodeFirstFrame(const QByteArray &data, Bitmap &bitmap)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        fail(QStringLiteral("解码器版本不符"));
    options.color_mode = MODE_BGRA;
    const WebPData input {bytesOf(data), size_t(data.size())};
    const std::unique_ptr<WebPAnimDecoder, decltype(&WebPAnimDecoderDelete)> decoder(
        WebPAnimDecoderNew(&input, &options), WebPAnimDecoderDelete);
    uint8_t *canvas = nullptr;
    int timestamp = 0;
    if (!decoder || !WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp))
        fail(QStringLiteral("图片数据已损坏"));
    for (int y = 0; y < bitmap.height(); ++y)
        std::memcpy(bitmap.scanLine(y), canvas + qsizetype(y) * bitmap.bytesPerLine(), size_t(bitmap.bytesPerLine()));
}

} // namespace

Bitmap decode(const QByteArray &data)
{
    if (!hasWebpSignature(data))
        fail(QStringLiteral("不是WebP图片"));
    if (cutShort(data))
        fail(QStringLiteral("图片数据不完整"));
    WebPBitstreamFeatures features;
    if (const VP8StatusCode status = WebPGetFeatures(bytesOf(data), size_t(data.size()), &features);
        status != VP8_STATUS_OK)
        failWith(status);
    ImageLimits::check(features.width, features.height);
    Bitmap bitmap = Bitmap::forOverwrite(features.width, features.height);
    if (features.has_animation)
        decodeFirstFrame(data, bitmap);
    else
        decodeStill(data, bitmap);
    bitmap.flattenOnWhite();
    return bitmap;
}

Bitmap decodeFile(const QString &path)
{
    return PictureFile::decodeFile(path, decode);
}

} // namespace WebpDecoder
