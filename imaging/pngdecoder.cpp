#include "imaging/pngdecoder.h"

#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"
#include "imaging/picturefile.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <png.h>

namespace PngDecoder {

namespace {

[[noreturn]] void fail(const char *reason)
{
    throw ImagingError(QStringLiteral("无法读取 PNG 图片：%1").arg(QString::fromUtf8(reason)));
}

// What the user is told for one of libpng's messages (and of readBytes').
const char *reasonFor(const char *message)
{
    static constexpr struct {
        const char *start;
        const char *reason;
    } reasons[] = {
        {"Not a PNG file", "不是PNG图片"},
        {"PNG file corrupted by ASCII conversion", "不是PNG图片"},
        {"file cut short", "图片数据不完整"},
        {"Read Error", "图片数据不完整"},
        {"Not enough image data", "图片数据不完整"},
        {"Insufficient memory", "内存不足"},
        {"Out of memory", "内存不足"},
        {"Image width exceeds user limit", "图片太大"},
        {"Image height exceeds user limit", "图片太大"},
    };
    for (const auto &known : reasons)
        if (std::strncmp(message, known.start, std::strlen(known.start)) == 0)
            return known.reason;
    return "图片数据已损坏";
}

// libpng reports an error by calling this, which must not return: it jumps
// back (libpng's documented setjmp/longjmp path) to the call into libpng
// that is running, and the error is thrown from there, once libpng's frames
// are left: an exception must not pass through C code.
struct Failure {
    const char *reason = nullptr;
};

[[noreturn]] void onError(png_structp png, png_const_charp message)
{
    static_cast<Failure *>(png_get_error_ptr(png))->reason = reasonFor(message);
    png_longjmp(png, 1);
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
    Failure failure;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &failure, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
};

// Runs one call into libpng; a failure inside it comes back here and is
// thrown. Nothing between here and libpng has a destructor to run.
template <typename Call>
auto checked(Reader &reader, Call &&call)
{
    if (setjmp(png_jmpbuf(reader.png)))
        fail(reader.failure.reason);
    return call();
}

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
        fail("内存不足");
    Source source {data};
    png_set_read_fn(reader.png, &source, readBytes);
    checked(reader, [&] { png_read_info(reader.png, reader.info); });
    ImageLimits::check(png_get_image_width(reader.png, reader.info), png_get_image_height(reader.png, reader.info));
    checked(reader, [&] { requestBgra(reader.png, reader.info); });

    Bitmap bitmap = Bitmap::forOverwrite(int(png_get_image_width(reader.png, reader.info)),
                                         int(png_get_image_height(reader.png, reader.info)));
    if (png_get_rowbytes(reader.png, reader.info) != size_t(bitmap.bytesPerLine()))
        fail("不支持的像素格式");
    checked(reader, [&] {
        png_read_image(reader.png, const_cast<png_bytepp>(bitmap.rows()));
        png_read_end(reader.png, nullptr);
    });
    bitmap.flattenOnWhite();
    return bitmap;
}

Bitmap decodeFile(const QString &path)
{
    return PictureFile::decodeFile(path, decode);
}

} // namespace PngDecoder
