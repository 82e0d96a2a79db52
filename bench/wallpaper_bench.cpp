#include "imaging/bitmap.h"
#include "imaging/bmpwriter.h"
#include "wallpaper/mixfiles.h"
#include "wallpaper/mixpicture.h"
#include "wallpaper/pictureloader.h"

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
void libjpegEncodeDecode(benchmark::State &state)
{
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    Bitmap content = contentPicture();
    Bitmap background = backgroundPicture(width, height);
    const Bitmap &mix = MixPicture(content, background, topOffset, level, false);
    std::vector<uchar> rgb(size_t(width) * 3 * size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uchar *p = mix.scanLine(y) + 4 * x;
            uchar *q = rgb.data() + (size_t(y) * size_t(width) + size_t(x)) * 3;
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    std::vector<uchar> decoded(rgb.size());
    for (auto _ : state) {
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
            JSAMPROW row = rgb.data() + size_t(c.next_scanline) * size_t(width) * 3;
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
        benchmark::DoNotOptimize(decoded.data());
    }
}

} // namespace

BENCHMARK(applyToMixBmp)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(libjpegEncodeDecode)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
