#include "imaging/pngdecoder.h"

#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"
#include "imaging/picturefile.h"

#include <algorithm>
#include <cstring>
#include <png.h>

namespace PngDecoder {

namespace {

// libpng calls this from deep inside its C code; throwing unwinds back to
// decode(), whose Reader then frees libpng's state (as for libjpeg).
[[noreturn]] void onError(png_structp, png_const_charp message)
{
    throw ImagingError(QStringLiteral("无法读取 PNG 图片：%1").arg(QString::fromLatin1(message)).toStdString());
}

// Warnings are about ancillary chunks (a bad checksum on a text or colour
// profile chunk): the pixels are whole.
void onWarning(png_structp, png_const_charp) {}

struct Source {
    const QByteArray &data;
    qsizetype position = 0;
};

void readBytes(png_structp png, png_bytep to, size_t length)
{
    auto *source = static_cast<Source *>(png_get_io_ptr(png));
    if (qsizetype(length) > source->data.size() - source->position)
        png_error(png, "file cut short");
    std::memcpy(to, source->data.constData() + source->position, length);
    source->position += qsizetype(length);
}

struct Reader {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
};

// Every kind of PNG comes out as blue, green, red and straight opacity, 8
// bits each, without gamma correction (as other programs show the file).
void requestBgra(png_structp png, png_infop info)
{
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

} // namespace

Bitmap decode(const QByteArray &data)
{
    Reader reader;
    if (!reader.info)
        throw ImagingError("无法读取 PNG 图片：内存不足");
    Source source {data};
    png_set_read_fn(reader.png, &source, readBytes);
    png_read_info(reader.png, reader.info);
    ImageLimits::check(png_get_image_width(reader.png, reader.info), png_get_image_height(reader.png, reader.info));
    requestBgra(reader.png, reader.info);

    Bitmap bitmap = Bitmap::forOverwrite(int(png_get_image_width(reader.png, reader.info)),
                                         int(png_get_image_height(reader.png, reader.info)));
    if (png_get_rowbytes(reader.png, reader.info) != size_t(bitmap.bytesPerLine()))
        throw ImagingError("无法读取 PNG 图片：不支持的像素格式");
    png_read_image(reader.png, const_cast<png_bytepp>(bitmap.rows()));
    png_read_end(reader.png, nullptr);
    bitmap.flattenOnWhite();
    return bitmap;
}

Bitmap decodeFile(const QString &path)
{
    return PictureFile::decodeFile(path, decode);
}

} // namespace PngDecoder
