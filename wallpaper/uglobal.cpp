#include "wallpaper/uglobal.h"

#include "imaging/bmpwriter.h"
#include "imaging/gifdecoder.h"
#include "imaging/imagingerror.h"
#include "imaging/jpegcodec.h"
#include "imaging/pngdecoder.h"
#include "imaging/webpdecoder.h"
#include "text/intparse.h"
#include "text/linelist.h"
#include "wallpaper/picturepath.h"

#include <QFileInfo>

namespace uGlobal {

QList<TPicBGList> PicList;
int PicCount = 0;
bool AskBeforeSetBg = true;
int SetBgAnswer = 0;
QString ConfigSetBgPath;

bool readAskBeforeSetBg(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        LineList::write(path, {QStringLiteral("1")});
        return true;
    }
    const QStringList lines = LineList::read(path);
    if (lines.isEmpty())
        return true;
    const std::optional<int> value = parseInt32(lines.first());
    return !value || *value > 0;
}

void writeDoNotAsk(const QString &path)
{
    LineList::write(path, {QStringLiteral("0")});
}

QString ConvertToBmp(const QString &Path)
{
    if (PicturePath::extension(Path).toLower() == QLatin1String(".bmp"))
        return Path;
    if (!isConvertible(Path))
        return QString();
    const QString target = PicturePath::changeExtension(Path, QStringLiteral(".bmp"));
    convertInto(Path, target);
    return target;
}

QString JpgToBmp(const QString &Path)
{
    const QString target = PicturePath::changeExtension(Path, QStringLiteral(".bmp"));
    JpegCodec::decodeToBmpFile(Path, target);
    return target;
}

QString GifToBmp(const QString &Path)
{
    const QString target = PicturePath::changeExtension(Path, QStringLiteral(".bmp"));
    BmpWriter::writeFile(GifDecoder::decodeFile(Path), target, BmpWriter::Depth::Bits24);
    return target;
}

bool isConvertible(const QString &path)
{
    static const QStringList types {".jpg", ".jpeg", ".gif", ".png", ".webp"};
    return types.contains(PicturePath::extension(path).toLower());
}

void convertInto(const QString &source, const QString &target)
{
    const QString extension = PicturePath::extension(source).toLower();
    if (extension == QLatin1String(".jpg") || extension == QLatin1String(".jpeg")) {
        // Straight into the BMP's rows: no second whole picture in memory.
        JpegCodec::decodeToBmpFile(source, target);
        return;
    }
    Bitmap picture;
    if (extension == QLatin1String(".gif"))
        picture = GifDecoder::decodeFile(source);
    else if (extension == QLatin1String(".png"))
        picture = PngDecoder::decodeFile(source);
    else if (extension == QLatin1String(".webp"))
        picture = WebpDecoder::decodeFile(source);
    else
        throw ImagingError(QStringLiteral("不支持的图片格式（%1）").arg(extension).toStdString());
    BmpWriter::writeFile(picture, target, BmpWriter::Depth::Bits24);
}

} // namespace uGlobal
