#include "imaging/jpegcodec.h"

#include "files/atomicfile.h"
#include "imaging/bmpreader.h"
#include "imaging/bmpwriter.h"
#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"
#include "imaging/picturefile.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <jpeglib.h>
#include <jerror.h>
#include <optional>
#include <vector>

namespace JpegCodec {

namespace {

// More scans than any real progressive file has; a crafted file could
// otherwise keep the decoder busy for minutes.
constexpr int maxScans = 500;
// libjpeg's own working memory (coefficient buffers of progressive files).
constexpr long maxWorkingMemory = 512L * 1024 * 1024;

// libjpeg reports an error by calling error_exit, which must not return.
// It jumps back (libjpeg's documented setjmp/longjmp path) to the call into
// libjpeg that is running, and the error is thrown from there, once
// libjpeg's frames are left: an exception must not pass through C code. A
// warning about the compressed data (a file cut short, a bad code, a lost
// marker) is damage as well: libjpeg would go on and fill what it lost with
// grey.
struct ErrorManager : jpeg_error_mgr {
    const char *context = nullptr;
    // Why the last call failed, in the user's words.
    const char *reason = nullptr;
    std::jmp_buf jump;
};

[[noreturn]] void throwError(const char *context, const char *reason)
{
    throw ImagingError(QString::fromUtf8(context).arg(QString::fromUtf8(reason)));
}

// What the user is told for one of libjpeg's messages.
const char *reasonFor(const jpeg_error_mgr &err, bool decoding)
{
    switch (err.msg_code) {
    case JERR_NO_SOI:
        return "不是JPEG图片";
    case JERR_INPUT_EMPTY:
    case JERR_INPUT_EOF:
    case JWRN_JPEG_EOF:
        return "图片数据不完整";
    case JERR_OUT_OF_MEMORY:
        return "内存不足";
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
        return "图片太大";
    case JERR_NO_IMAGE:
    case JERR_EMPTY_IMAGE:
        return "文件中没有图片";
    case JERR_BAD_PRECISION:
    case JERR_NOT_COMPILED:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_ARITH_NOTIMPL:
    case JERR_SOF_UNSUPPORTED:
        return "不支持的JPEG格式";
    default:
        return decoding ? "图片数据已损坏" : "编码出错";
    }
}

[[noreturn]] void jumpBack(j_common_ptr cinfo, const char *reason)
{
    auto *errors = static_cast<ErrorManager *>(cinfo->err);
    errors->reason = reason;
    std::longjmp(errors->jump, 1);
}

void errorExit(j_common_ptr cinfo)
{
    jumpBack(cinfo, reasonFor(*cinfo->err, cinfo->is_decompressor));
}

// Warnings about labels in the file, and stray bytes after the last of the
// picture's data (before the end marker), leave the pixels as they are;
// trace messages (level 0 and above) are not warnings at all.
bool harmless(const jpeg_error_mgr &err)
{
    constexpr int endOfImage = 0xD9;
    return err.msg_code == JWRN_ADOBE_XFORM || err.msg_code == JWRN_JFIF_MAJOR || err.msg_code == JWRN_BOGUS_ICC
        || (err.msg_code == JWRN_EXTRANEOUS_DATA && err.msg_parm.i[1] == endOfImage);
}

void refuseDamage(j_common_ptr cinfo, int level)
{
    if (level >= 0 || harmless(*cinfo->err))
        return;
    jumpBack(cinfo, reasonFor(*cinfo->err, true));
}

void ignoreOutput(j_common_ptr) {}

void installErrors(ErrorManager &errors, const char *context)
{
    jpeg_std_error(&errors);
    errors.error_exit = errorExit;
    errors.emit_message = refuseDamage;
    errors.output_message = ignoreOutput;
    errors.context = context;
}

// Runs one call into libjpeg; a failure inside it comes back here and is
// thrown. Nothing between here and libjpeg has a destructor to run.
template <typename Call>
auto checked(ErrorManager &errors, Call &&call)
{
    if (setjmp(errors.jump))
        throwError(errors.context, errors.reason);
    return call();
}

void limitScans(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > maxScans)
        jumpBack(cinfo, "扫描段过多");
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
        checked(errors, [&] { jpeg_create_compress(&cinfo); });
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
        checked(errors, [&] { jpeg_create_decompress(&cinfo); });
        cinfo.mem->max_memory_to_use = maxWorkingMemory;
        progress.progress_monitor = limitScans;
        cinfo.progress = &progress;
    }
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

// libjpeg hands CMYK over as it is stored; Adobe's files store it inverted.
void cmykToBgr(const uchar *from, uchar *to, int width, int bytesPerPixel, bool inverted)
{
    for (int x = 0; x < width; ++x, from += 4, to += bytesPerPixel) {
        int c = from[0], m = from[1], y = from[2], k = from[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        to[0] = uchar(y * k / 255);
        to[1] = uchar(m * k / 255);
        to[2] = uchar(c * k / 255);
        if (bytesPerPixel == 4)
            to[3] = 0;
    }
}

// Rows top first, a band at a time: band(top, count) gives the row pointers
// of 32-bit pixels for rows top .. top + count - 1.
using BandSource = std::function<uchar *const *(int top, int count)>;

QByteArray compress(int width, int height, int quality, int bandRows, const BandSource &band)
{
    Compressor c;
    c.cinfo.image_width = JDIMENSION(width);
    c.cinfo.image_height = JDIMENSION(height);
    c.cinfo.input_components = 4;
    c.cinfo.in_color_space = JCS_EXT_BGRX;
    checked(c.errors, [&] {
        jpeg_mem_dest(&c.cinfo, &c.buffer, &c.size);
        jpeg_set_defaults(&c.cinfo);
        jpeg_set_quality(&c.cinfo, quality, TRUE);
        jpeg_start_compress(&c.cinfo, TRUE);
    });
    for (int top = 0; top < height; top += bandRows) {
        const int count = std::min(bandRows, height - top);
        uchar *const *rows = band(top, count);
        for (int done = 0; done < count;) {
            done += int(checked(c.errors, [&] {
                return jpeg_write_scanlines(&c.cinfo, const_cast<JSAMPARRAY>(rows + done), JDIMENSION(count - done));
            }));
        }
    }
    checked(c.errors, [&] { jpeg_finish_compress(&c.cinfo); });
    return QByteArray(reinterpret_cast<const char *>(c.buffer), qsizetype(c.size));
}

// Decodes into the rows of a target the caller makes once the size is
// known: target(width, height) gives the row pointers, top row first, of
// 3-byte (blue, green, red) or 4-byte pixels.
void decompress(const QByteArray &data, int bytesPerPixel,
                const std::function<uchar *const *(int width, int height)> &target)
{
    Decompressor d;
    checked(d.errors, [&] {
        jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char *>(data.constData()),
                     static_cast<unsigned long>(data.size()));
        jpeg_read_header(&d.cinfo, TRUE);
    });
    ImageLimits::check(d.cinfo.image_width, d.cinfo.image_height);
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : bytesPerPixel == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    checked(d.errors, [&] { jpeg_start_decompress(&d.cinfo); });

    const int width = int(d.cinfo.output_width);
    uchar *const *rows = target(width, int(d.cinfo.output_height));
    std::vector<uchar> cmykRow(cmyk ? size_t(width) * 4 : 0);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const JDIMENSION y = d.cinfo.output_scanline;
        JSAMPROW cmykInto = cmykRow.data();
        const JDIMENSION read = checked(d.errors, [&] {
            return cmyk ? jpeg_read_scanlines(&d.cinfo, &cmykInto, 1)
                        : jpeg_read_scanlines(&d.cinfo, const_cast<JSAMPARRAY>(rows + y), d.cinfo.output_height - y);
        });
        // A memory source never suspends; no rows would mean a stuck decoder.
        if (read == 0)
            throwError(d.errors.context, "图片数据不完整");
        if (cmyk)
            cmykToBgr(cmykRow.data(), rows[y], width, bytesPerPixel, d.cinfo.saw_Adobe_marker);
    }
    checked(d.errors, [&] { jpeg_finish_decompress(&d.cinfo); });
}

} // namespace

QByteArray encode(const Bitmap &bitmap, int quality)
{
    return compress(bitmap.width(), bitmap.height(), quality, std::max(bitmap.height(), 1),
                    [&](int top, int) { return bitmap.rows() + top; });
}

void encodeBmpFile(const QString &bmpPath, const QString &jpegPath, int quality)
{
    BmpReader::BandReader reader(bmpPath);
    const QByteArray jpeg = compress(reader.width(), reader.height(), quality, BmpReader::BandReader::bandRows,
                                     [&](int top, int count) { return reader.readBand(top, count); });
    AtomicFile::write(jpegPath, jpeg);
}

Bitmap decode(const QByteArray &data)
{
    Bitmap bitmap;
    decompress(data, 4, [&](int width, int height) {
        bitmap = Bitmap::forOverwrite(width, height);
        return bitmap.rows();
    });
    return bitmap;
}

void decodeToBmpFile(const QByteArray &jpeg, const QString &bmpPath, AtomicFile::Durability durability)
{
    std::optional<BmpWriter::FileImage> image;
    decompress(jpeg, 3, [&](int width, int height) {
        image.emplace(width, height, BmpWriter::Depth::Bits24);
        return image->rows();
    });
    image->save(bmpPath, durability);
}

void decodeToBmpFile(const QString &jpegPath, const QString &bmpPath)
{
    const QByteArray data = PictureFile::read(jpegPath);
    try {
        decodeToBmpFile(data, bmpPath);
    } catch (const ImagingError &e) {
        throw e.inFile(jpegPath);
    }
}

} // namespace JpegCodec
