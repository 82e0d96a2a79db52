#include "wallpaper/uglobal.h"

#include "imaging/bmpwriter.h"
#include "imaging/gifdecoder.h"
#include "imaging/jpegcodec.h"
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
    const QString extension = PicturePath::extension(Path).toLower();
    if (extension == QLatin1String(".bmp"))
        return Path;
    if (extension == QLatin1String(".jpg") || extension == QLatin1String(".jpeg"))
        return JpgToBmp(Path);
    if (extension == QLatin1String(".gif"))
        return GifToBmp(Path);
    return QString();
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

} // namespace uGlobal
