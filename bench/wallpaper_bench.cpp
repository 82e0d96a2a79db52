#include "imaging/bitmap.h"
#include "imaging/bmpwriter.h"
#include "wallpaper/composition.h"
#include "wallpaper/coverscale.h"
#include "wallpaper/mixfiles.h"
#include "wallpaper/mixpicture.h"
#include "wallpaper/pictureloader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

constexpr int topOffset = 30;
constexpr int level = 50;

// A note-like content picture: pale yellow with dark strokes.
Bitmap contentPicture()
{
    Bitmap bitmap(316, 319);
    for (int y = 0; y < bitmap.height(); ++y) {
        uchar *p = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x, p += 4) {
            const bool ink = y % 24 < 14 && (x * 7 + y * 3) % 11 < 4;
            p[0] = ink ? 40 : 225;
            p[1] = ink ? 20 : 255;
            p[2] = ink ? 20 : 255;
        }
    }
    return bitmap;
}

// A background that costs the JPEG codec about what a photo does (some
// 2 to 3 bits a pixel at quality 90): gradients, a coarse texture and a
// little grain.
Bitmap backgroundPicture(int width, int height)
{
    Bitmap bitmap(width, height);
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y) {
        uchar *p = bitmap.scanLine(y);
        for (int x = 0; x < width; ++x, p += 4) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 28) - 8;
            const int texture = ((x / 7) ^ (y / 5)) % 23;
            p[0] = uchar(std::clamp(x * 200 / width + texture + grain, 0, 255));
            p[1] = uchar(std::clamp(y * 200 / height + texture + grain, 0, 255));
            p[2] = uchar(std::clamp(120 + texture * 2 + grain, 0, 255));
        }
    }
    return bitmap;
}

// The folder of one benchmark: Content.bmp as the grab writes it (32
// bits) and a 24-bit background as the picture list keeps them.
struct Folder {
    QTemporaryDir dir;
    QString bgFolder;
    QString content;
    QString background;
    Folder(int width, int height)
        : bgFolder(dir.path() + QLatin1Char('/')), content(bgFolder + "Content.bmp"), background(bgFolder + "sky.bmp")
    {
        BmpWriter::writeFile(contentPicture(), content, BmpWriter::Depth::Bits32);
        BmpWriter::writeFile(backgroundPicture(width, height), background, BmpWriter::Depth::Bits24);
    }
};

void applyToMixBmp(benchmark::State &state)
{
    Folder folder(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        Bitmap content = PictureLoader::load(folder.content);
        Bitmap background = PictureLoader::load(folder.background);
        const Bitmap &mix = MixPicture(content, background, topOffset, level, false);
        MixFiles::writeWallpaperFiles(mix, folder.bgFolder);
    }
    state.counters["jpeg_bits_per_pixel"] =
        double(QFileInfo(MixFiles::mixJpgPath(folder.bgFolder)).size()) * 8 / double(state.range(0) * state.range(1));
}

// libjpeg alone: quality 90 from packed 24-bit rows in memory, and back to
// packed 24-bit rows.
std::vector<uchar> packedRgb(const Bitmap &picture)
{
    const int width = picture.width();
    std::vector<uchar> rgb(size_t(width) * 3 * size_t(picture.height()));
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const uchar *p = picture.scanLine(y) + 4 * x;
            uchar *q = rgb.data() + (size_t(y) * size_t(width) + size_t(x)) * 3;
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    return rgb;
}

void encodeAndDecode(const std::vector<uchar> &rgb, std::vector<uchar> &decoded, int width, int height)
{
    jpeg_compress_struct c {};
    jpeg_error_mgr errors {};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &jpeg, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<uchar *>(rgb.data()) + size_t(c.next_scanline) * size_t(width) * 3;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);

    jpeg_decompress_struct d {};
    d.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, jpeg, size);
    jpeg_read_header(&d, TRUE);
    jpeg_start_decompress(&d);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = decoded.data() + size_t(d.output_scanline) * size_t(width) * 3;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::free(jpeg);
}

void libjpegEncodeDecode(benchmark::State &state)
{
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    Bitmap content = contentPicture();
    Bitmap background = backgroundPicture(width, height);
    const std::vector<uchar> rgb = packedRgb(MixPicture(content, background, topOffset, level, false));
    std::vector<uchar> decoded(rgb.size());
    for (auto _ : state) {
        encodeAndDecode(rgb, decoded, width, height);
        benchmark::DoNotOptimize(decoded.data());
    }
}

// A camera's 4000 × 3000 picture as the picture list keeps it, composed for
// a screen of range(0) × range(1) pixels.
constexpr int photoWidth = 4000;
constexpr int photoHeight = 3000;

struct PhotoFolder : Folder {
    CompositionCanvas canvas;
    PhotoFolder(int screenWidth, int screenHeight)
        : Folder(photoWidth, photoHeight)
        , canvas {QSize(screenWidth, screenHeight), QRect(0, 0, screenWidth, screenHeight)}
    {
    }
};

void applyPhotoOntoScreen(benchmark::State &state)
{
    PhotoFolder folder(int(state.range(0)), int(state.range(1)));
    const Composition::Request request {folder.content, folder.background, folder.canvas, QStringLiteral("A"),
                                        folder.bgFolder};
    for (auto _ : state)
        Composition::writeWallpaperFiles(request);
}

// What no apply can do without: reading the photo's file, and libjpeg's own
// encode and decode of a picture of the screen's size.
void photoFloor(benchmark::State &state)
{
    PhotoFolder folder(int(state.range(0)), int(state.range(1)));
    const int width = folder.canvas.size.width();
    const int height = folder.canvas.size.height();
    Bitmap content = contentPicture();
    Bitmap screen = backgroundPicture(width, height);
    const std::vector<uchar> rgb = packedRgb(MixPicture(content, screen, topOffset, level, false));
    std::vector<uchar> decoded(rgb.size());
    for (auto _ : state) {
        QFile file(folder.background);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.constData());
        encodeAndDecode(rgb, decoded, width, height);
        benchmark::DoNotOptimize(decoded.data());
    }
}

// The two ways to scale the photo onto the screen: Qt's smooth transform
// (what the program uses) ...
void scaleQtSmooth(benchmark::State &state)
{
    const QSize canvas(int(state.range(0)), int(state.range(1)));
    const Bitmap photo = backgroundPicture(photoWidth, photoHeight);
    for (auto _ : state) {
        state.PauseTiming();
        Bitmap copy = photo;
        state.ResumeTiming();
        benchmark::DoNotOptimize(CoverScale::covering(std::move(copy), canvas).scanLine(0));
    }
}

// ... and a plain box filter: each canvas pixel the average of the photo's
// pixels it covers, one pass across and one down, in 16.16 fixed point.
Bitmap boxScaled(const Bitmap &photo, QRect source, QSize canvas)
{
    // Across: every row of the source, canvas.width() columns.
    std::vector<quint32> across(size_t(canvas.width()) * size_t(source.height()) * 3);
    const quint64 stepX = (quint64(source.width()) << 16) / quint64(canvas.width());
    for (int y = 0; y < source.height(); ++y) {
        const uchar *row = photo.scanLine(source.y() + y) + 4 * source.x();
        quint32 *out = across.data() + size_t(y) * size_t(canvas.width()) * 3;
        for (int x = 0; x < canvas.width(); ++x) {
            const quint64 from = quint64(x) * stepX;
            const quint64 to = from + stepX;
            quint64 sum[3] = {0, 0, 0};
            for (quint64 at = from; at < to;) {
                const quint64 next = std::min(to, ((at >> 16) + 1) << 16);
                const uchar *p = row + 4 * (at >> 16);
                for (int b = 0; b < 3; ++b)
                    sum[b] += p[b] * (next - at);
                at = next;
            }
            for (int b = 0; b < 3; ++b)
                out[3 * x + b] = quint32(sum[b] * 256 / stepX);
        }
    }
    // Down: canvas.height() rows.
    Bitmap result(canvas.width(), canvas.height());
    const quint64 stepY = (quint64(source.height()) << 16) / quint64(canvas.height());
    std::vector<quint64> sum(size_t(canvas.width()) * 3);
    for (int y = 0; y < canvas.height(); ++y) {
        std::fill(sum.begin(), sum.end(), 0);
        const quint64 from = quint64(y) * stepY;
        const quint64 to = from + stepY;
        for (quint64 at = from; at < to;) {
            const quint64 next = std::min(to, ((at >> 16) + 1) << 16);
            const quint32 *in = across.data() + size_t(at >> 16) * size_t(canvas.width()) * 3;
            for (size_t i = 0; i < sum.size(); ++i)
                sum[i] += in[i] * (next - at);
            at = next;
        }
        uchar *out = result.scanLine(y);
        for (int x = 0; x < canvas.width(); ++x)
            for (int b = 0; b < 3; ++b)
                out[4 * x + b] = uchar(std::min<quint64>(255, sum[size_t(3 * x + b)] / stepY / 256));
    }
    return result;
}

void scaleBoxFilter(benchmark::State &state)
{
    const QSize canvas(int(state.range(0)), int(state.range(1)));
    const Bitmap photo = backgroundPicture(photoWidth, photoHeight);
    const QRect source = CoverScale::sourceRect(QSize(photoWidth, photoHeight), canvas);
    for (auto _ : state)
        benchmark::DoNotOptimize(boxScaled(photo, source, canvas).scanLine(0));
}

} // namespace

BENCHMARK(applyToMixBmp)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(libjpegEncodeDecode)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();
// CPU time of the whole process: Qt may scale on more than one thread.
BENCHMARK(applyPhotoOntoScreen)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(photoFloor)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(scaleQtSmooth)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(scaleBoxFilter)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

BENCHMARK_MAIN();
