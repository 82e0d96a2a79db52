#include "wallpaper/mixfiles.h"

#include "imaging/bmpwriter.h"
#include "imaging/jpegcodec.h"
#include "wallpaper/uglobal.h"

namespace MixFiles {

namespace {

constexpr int jpegQuality = 90;

} // namespace

QString mixBmpPath(const QString &bgFolder)
{
    return bgFolder + QStringLiteral("Mix.bmp");
}

QString mixJpgPath(const QString &bgFolder)
{
    return bgFolder + QStringLiteral("Mix.Jpg");
}

void saveMix(const Bitmap &mix, const QString &bgFolder)
{
    BmpWriter::writeFile(mix, mixBmpPath(bgFolder), BmpWriter::Depth::Bits32);
}

QString roundTripThroughJpeg(const QString &bgFolder)
{
    JpegCodec::encodeBmpFile(mixBmpPath(bgFolder), mixJpgPath(bgFolder), jpegQuality);
    return uGlobal::JpgToBmp(mixJpgPath(bgFolder));
}

} // namespace MixFiles
