#include "wallpaper/mixfiles.h"

#include "files/atomicfile.h"
#include "imaging/bmpwriter.h"
#include "imaging/jpegcodec.h"

namespace MixFiles {

namespace {

constexpr int jpegQuality = 90;
// Made anew at every apply.
constexpr auto regenerated = AtomicFile::Durability::Regenerated;

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
    BmpWriter::writeFile(mix, mixBmpPath(bgFolder), BmpWriter::Depth::Bits32, regenerated);
}

bool writeWallpaperFiles(const Bitmap &mix, const QString &bgFolder)
{
    // The blend is encoded from memory: the same pixels a 32-bit Mix.bmp
    // would hold, without writing and reading that file first.
    try {
        const QByteArray jpeg = JpegCodec::encode(mix, jpegQuality);
        AtomicFile::write(mixJpgPath(bgFolder), jpeg, regenerated);
        JpegCodec::decodeToBmpFile(jpeg, mixBmpPath(bgFolder), regenerated);
        return true;
    } catch (const std::exception &) {
        // No JPEG round trip: the wallpaper file is the blend itself.
    }
    saveMix(mix, bgFolder);
    return false;
}

} // namespace MixFiles
