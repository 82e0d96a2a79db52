#include "imaging/gifdecoder.h"

#include "imaging/imagelimits.h"
#include "imaging/imagingerror.h"
#include "imaging/picturefile.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <vector>

namespace GifDecoder {

namespace {

[[noreturn]] void fail(const QString &reason)
{
    throw ImagingError(QStringLiteral("无法读取 GIF 图片：%1").arg(reason));
}

struct Source {
    const QByteArray &data;
    qsizetype position = 0;
    // giflib asked for bytes past the end.
    bool ranOut = false;
};

// giflib's error codes in the user's words; whatever giflib makes of it, a
// file that ended too soon is cut short.
[[noreturn]] void failGif(int code, const Source &source)
{
    if (source.ranOut)
        fail(QStringLiteral("图片数据不完整"));
    switch (code) {
    case D_GIF_ERR_NOT_GIF_FILE:
        fail(QStringLiteral("不是GIF图片"));
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
        fail(QStringLiteral("图片数据不完整"));
    case D_GIF_ERR_NOT_ENOUGH_MEM:
        fail(QStringLiteral("内存不足"));
    default:
        fail(QStringLiteral("图片数据已损坏"));
    }
}

int readBytes(GifFileType *gif, GifByteType *to, int length)
{
    auto *source = static_cast<Source *>(gif->UserData);
    const qsizetype n = std::min<qsizetype>(length, source->data.size() - source->position);
    std::memcpy(to, source->data.constData() + source->position, size_t(n));
    source->position += n;
    source->ranOut = source->ranOut || n < length;
    return int(n);
}

class GifFile {
public:
    explicit GifFile(Source &source)
        : m_source(source)
    {
        int error = 0;
        m_gif = DGifOpen(&source, readBytes, &error);
        if (!m_gif)
            failGif(error, source);
    }
    ~GifFile() { DGifCloseFile(m_gif, nullptr); }
    GifFile(const GifFile &) = delete;
    GifFile &operator=(const GifFile &) = delete;

    GifFileType *operator->() const { return m_gif; }
    GifFileType *get() const { return m_gif; }
    // giflib leaves Error untouched on some failures; 0 then still fails.
    [[noreturn]] void fail() const { failGif(m_gif->Error ? m_gif->Error : D_GIF_ERR_READ_FAILED, m_source); }

private:
    const Source &m_source;
    GifFileType *m_gif = nullptr;
};

// The transparent index of a graphic control block, or -1.
int transparentIndex(const GifByteType *block)
{
    if (!block || block[0] < 4 || !(block[1] & 0x01))
        return -1;
    return block[4];
}

// Rows of an interlaced picture arrive in four passes.
std::vector<int> rowOrder(int height, bool interlaced)
{
    std::vector<int> order;
    order.reserve(size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    static constexpr int starts[] = {0, 4, 2, 1};
    static constexpr int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = starts[pass]; y < height; y += steps[pass])
            order.push_back(y);
    }
    return order;
}

std::vector<quint32> palette(const ColorMapObject *map)
{
    std::vector<quint32> colours(256);
    for (quint32 i = 0; i < 256; ++i)
        colours[i] = i | i << 8 | i << 16;
    if (!map)
        return colours;
    std::fill(colours.begin(), colours.end(), 0);
    const int count = std::clamp(map->ColorCount, 0, 256);
    for (int i = 0; i < count; ++i) {
        const GifColorType &c = map->Colors[i];
        colours[size_t(i)] = quint32(c.Blue) | quint32(c.Green) << 8 | quint32(c.Red) << 16;
    }
    return colours;
}

Bitmap decodePicture(const GifFile &gif, int transparent)
{
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
        gif.fail();
    const GifImageDesc &desc = gif->Image;
    if (desc.Width <= 0 || desc.Height <= 0)
        fail(QStringLiteral("图片尺寸无效（%1×%2）").arg(desc.Width).arg(desc.Height));
    const qint64 width = std::max<qint64>(gif->SWidth, qint64(desc.Left) + desc.Width);
    const qint64 height = std::max<qint64>(gif->SHeight, qint64(desc.Top) + desc.Height);
    ImageLimits::check(width, height);

    Bitmap canvas {int(width), int(height)};
    for (int y = 0; y < canvas.height(); ++y)
        std::memset(canvas.scanLine(y), 0xff, size_t(canvas.bytesPerLine()));

    const std::vector<quint32> colours = palette(desc.ColorMap ? desc.ColorMap : gif->SColorMap);
    std::vector<GifPixelType> line(size_t(desc.Width));
    for (int y : rowOrder(desc.Height, desc.Interlace)) {
        if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR)
            gif.fail();
        uchar *to = canvas.scanLine(desc.Top + y) + 4 * qsizetype(desc.Left);
        for (int x = 0; x < desc.Width; ++x, to += 4) {
            if (line[size_t(x)] == transparent)
                continue;
            const quint32 colour = colours[line[size_t(x)]];
            std::memcpy(to, &colour, 4);
        }
    }
    return canvas;
}

} // namespace

Bitmap decode(const QByteArray &data)
{
    Source source {data};
    GifFile gif(source);
    int transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            gif.fail();
        if (type == IMAGE_DESC_RECORD_TYPE)
            return decodePicture(gif, transparent);
        if (type == TERMINATE_RECORD_TYPE)
            fail(QStringLiteral("文件中没有图片"));
        if (type != EXTENSION_RECORD_TYPE)
            gif.fail();
        int code = 0;
        GifByteType *block = nullptr;
        if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
            gif.fail();
        if (code == GRAPHICS_EXT_FUNC_CODE)
            transparent = transparentIndex(block);
        while (block) {
            if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                gif.fail();
        }
    }
}

Bitmap decodeFile(const QString &path)
{
    return PictureFile::decodeFile(path, decode);
}

} // namespace GifDecoder
