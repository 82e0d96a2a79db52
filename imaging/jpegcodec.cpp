#include "imaging/jpegcodec.h"

#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"
#include "imaging/picturefile.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace JpegCodec {

namespace {

// More scans than any real progressive file has; a crafted file could
// otherwise keep the decoder busy for minutes.
constexpr int maxScans = 500;
// libjpeg's own working memory (coefficient buffers of progressive files).
constexpr long maxWorkingMemory = 512L * 1024 * 1024;

// libjpeg calls error_exit from deep inside its C code; throwing unwinds
// through those frames (built with unwind tables) back to the caller, whose
// guard then destroys the libjpeg object. Warnings are ignored: a damaged
// file still gives the pixels libjpeg could recover.
struct ErrorManager : jpeg_error_mgr {
    const char *context;
};

[[noreturn]] void throwError(const char *context, const QString &reason)
{
    throw ImagingError(QString::fromUtf8(context).arg(reason).toStdString());
}

void errorExit(j_common_ptr cinfo)
{
    char message[JMSG_LENGTH_MAX] = {};
    cinfo->err->format_message(cinfo, message);
    throwError(static_cast<ErrorManager *>(cinfo->err)->context, QString::fromLocal8Bit(message));
}

void ignoreMessage(j_common_ptr, int) {}
void ignoreOutput(j_common_ptr) {}

void installErrors(ErrorManager &errors, const char *context)
{
    jpeg_std_error(&errors);
    errors.error_exit = errorExit;
    errors.emit_message = ignoreMessage;
    errors.output_message = ignoreOutput;
    errors.context = context;
}

void limitScans(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > maxScans)
        throwError("无法读取 JPEG 图片：%1", QStringLiteral("扫描段过多"));
}

struct Compressor {
    jpeg_compress_struct cinfo {};
    ErrorManager errors {};
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    Compressor()
    {
        installErrors(errors, "无法生成 JPEG 图片：%1");
        cinfo.err = &errors;
        jpeg_create_compress(&cinfo);
    }
    ~Compressor()
    {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
    }
};

struct Decompressor {
    jpeg_decompress_struct cinfo {};
    ErrorManager errors {};
    jpeg_progress_mgr progress {};
    Decompressor()
    {
        installErrors(errors, "无法读取 JPEG 图片：%1");
        cinfo.err = &errors;
        jpeg_create_decompress(&cinfo);
        cinfo.mem->max_memory_to_use = maxWorkingMemory;
        progress.progress_monitor = limitScans;
        cinfo.progress = &progress;
    }
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

// libjpeg hands CMYK over as it is stored; Adobe's files store it inverted.
void cmykToBgr(Bitmap &bitmap, bool inverted)
{
    for (int y = 0; y < bitmap.height(); ++y) {
        uchar *p = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x, p += 4) {
            int c = p[0], m = p[1], ye = p[2], k = p[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                ye = 255 - ye;
                k = 255 - k;
            }
            p[0] = uchar(ye * k / 255);
            p[1] = uchar(m * k / 255);
            p[2] = uchar(c * k / 255);
            p[3] = 0;
        }
    }
}

QString withPath(const ImagingError &e, const QString &path)
{
    return QStringLiteral("%1（%2）").arg(QString::fromUtf8(e.what()), QDir::toNativeSeparators(path));
}

} // namespace

QByteArray encode(const Bitmap &bitmap, int quality)
{
    Compressor c;
    jpeg_mem_dest(&c.cinfo, &c.buffer, &c.size);
    c.cinfo.image_width = JDIMENSION(bitmap.width());
    c.cinfo.image_height = JDIMENSION(bitmap.height());
    c.cinfo.input_components = 4;
    c.cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&c.cinfo);
    jpeg_set_quality(&c.cinfo, quality, TRUE);
    jpeg_start_compress(&c.cinfo, TRUE);
    while (c.cinfo.next_scanline < c.cinfo.image_height) {
        const JDIMENSION row = c.cinfo.next_scanline;
        jpeg_write_scanlines(&c.cinfo, const_cast<JSAMPARRAY>(bitmap.rows() + row), c.cinfo.image_height - row);
    }
    jpeg_finish_compress(&c.cinfo);
    return QByteArray(reinterpret_cast<const char *>(c.buffer), qsizetype(c.size));
}

void encodeFile(const Bitmap &bitmap, const QString &path, int quality)
{
    try {
        PictureFile::write(path, encode(bitmap, quality));
    } catch (const ImagingError &e) {
        throw ImagingError(withPath(e, path).toStdString());
    }
}

Bitmap decode(const QByteArray &data)
{
    Decompressor d;
    jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char *>(data.constData()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d.cinfo, TRUE);
    ImageLimits::check(d.cinfo.image_width, d.cinfo.image_height);
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_start_decompress(&d.cinfo);

    Bitmap bitmap(int(d.cinfo.output_width), int(d.cinfo.output_height));
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const JDIMENSION row = d.cinfo.output_scanline;
        if (jpeg_read_scanlines(&d.cinfo, const_cast<JSAMPARRAY>(bitmap.rows() + row), d.cinfo.output_height - row) == 0)
            break;
    }
    if (cmyk)
        cmykToBgr(bitmap, d.cinfo.saw_Adobe_marker);
    jpeg_finish_decompress(&d.cinfo);
    return bitmap;
}

Bitmap decodeFile(const QString &path)
{
    const QByteArray data = PictureFile::read(path);
    try {
        return decode(data);
    } catch (const ImagingError &e) {
        throw ImagingError(withPath(e, path).toStdString());
    }
}

} // namespace JpegCodec
