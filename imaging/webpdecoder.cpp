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
    throw ImagingError(QStringLiteral("无法读取 WebP 图片：%1").arg(reason).toStdString());
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
        fail(QStringLiteral("libwebp 版本不符"));
    config.options.flip = 1;
    config.output.colorspace = MODE_BGRA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = bitmap.bottomUpBits();
    config.output.u.RGBA.stride = int(bitmap.bytesPerLine());
    config.output.u.RGBA.size = size_t(bitmap.bytesPerLine()) * size_t(bitmap.height());
    const VP8StatusCode status = WebPDecode(bytesOf(data), size_t(data.size()), &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK)
        fail(QStringLiteral("数据损坏（代码 %1）").arg(int(status)));
}

// The first picture of an animation, as the animation shows it.
void decodeFirstFrame(const QByteArray &data, Bitmap &bitmap)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        fail(QStringLiteral("libwebp 版本不符"));
    options.color_mode = MODE_BGRA;
    const WebPData input {bytesOf(data), size_t(data.size())};
    const std::unique_ptr<WebPAnimDecoder, decltype(&WebPAnimDecoderDelete)> decoder(
        WebPAnimDecoderNew(&input, &options), WebPAnimDecoderDelete);
    uint8_t *canvas = nullptr;
    int timestamp = 0;
    if (!decoder || !WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp))
        fail(QStringLiteral("动画数据损坏"));
    for (int y = 0; y < bitmap.height(); ++y)
        std::memcpy(bitmap.scanLine(y), canvas + qsizetype(y) * bitmap.bytesPerLine(), size_t(bitmap.bytesPerLine()));
}

} // namespace

Bitmap decode(const QByteArray &data)
{
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(bytesOf(data), size_t(data.size()), &features) != VP8_STATUS_OK)
        fail(QStringLiteral("不是有效的 WebP 文件"));
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
