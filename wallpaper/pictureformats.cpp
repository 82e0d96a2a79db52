#include "wallpaper/pictureformats.h"

#include "files/atomicfile.h"
#include "imaging/bmpreader.h"
#include "imaging/bmpwriter.h"
#include "imaging/gifdecoder.h"
#include "imaging/jpegcodec.h"
#include "imaging/picturefile.h"
#include "imaging/pngdecoder.h"
#include "imaging/webpdecoder.h"
#include "wallpaper/picturepath.h"

namespace PictureFormats {

namespace {

// A BMP is read whole and proven readable, then written from those bytes.
void copyBmp(const QString &source, const QString &target)
{
    const QByteArray bytes = PictureFile::read(source);
    BmpReader::read(bytes);
    AtomicFile::write(target, bytes);
}

// Straight into the BMP's rows: no second whole picture in memory.
void jpegToBmp(const QString &source, const QString &target)
{
    JpegCodec::decodeToBmpFile(source, target);
}

template <Bitmap (*decodeFile)(const QString &)>
void decodedToBmp(const QString &source, const QString &target)
{
    BmpWriter::writeFile(decodeFile(source), target, BmpWriter::Depth::Bits24);
}

} // namespace

const std::vector<Format> &all()
{
    static const std::vector<Format> formats {
        {QStringLiteral("BMP"), {QStringLiteral(".bmp")}, copyBmp},
        {QStringLiteral("JPG"), {QStringLiteral(".jpg"), QStringLiteral(".jpeg")}, jpegToBmp},
        {QStringLiteral("GIF"), {QStringLiteral(".gif")}, decodedToBmp<GifDecoder::decodeFile>},
        {QStringLiteral("PNG"), {QStringLiteral(".png")}, decodedToBmp<PngDecoder::decodeFile>},
        {QStringLiteral("WebP"), {QStringLiteral(".webp")}, decodedToBmp<WebpDecoder::decodeFile>},
    };
    return formats;
}

const Format *of(const QString &path)
{
    const QString extension = PicturePath::extension(path).toLower();
    for (const Format &format : all())
        if (format.extensions.contains(extension))
            return &format;
    return nullptr;
}

QString bmpName(const QString &fileName)
{
    const QString bmp = QStringLiteral(".bmp");
    if (PicturePath::extension(fileName).toLower() == bmp)
        return fileName;
    return PicturePath::changeExtension(fileName, bmp);
}

QString captions(const QString &separator)
{
    QStringList names;
    for (const Format &format : all())
        names.append(format.caption);
    return names.join(separator);
}

QString dialogFilter()
{
    QStringList patterns;
    for (const Format &format : all())
        for (const QString &extension : format.extensions)
            patterns.append(QLatin1Char('*') + extension);
    return QStringLiteral("所有图片(") + patterns.join(QLatin1Char(';')) + QLatin1Char(')');
}

} // namespace PictureFormats
