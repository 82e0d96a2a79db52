#include "wallpaper/pictureimport.h"

#include "imaging/bmpreader.h"
#include "imaging/imagingerror.h"
#include "imaging/picturefile.h"
#include "text/appfolder.h"
#include "text/atomicfile.h"
#include "wallpaper/picturepath.h"
#include "wallpaper/uglobal.h"

#include <QFile>
#include <QFileInfo>

namespace PictureImport {

namespace {

[[noreturn]] void refuse(const QString &reason)
{
    throw Refused(reason.toStdString());
}

[[noreturn]] void refuseUnreadable(const ImagingError &e)
{
    refuse(QStringLiteral("无法读取的图片（%1）").arg(QString::fromUtf8(e.what())));
}

// Checked by name, without opening: a FIFO would block the open.
void checkChosenFile(const QFileInfo &chosen)
{
    if (!chosen.exists())
        refuse(QStringLiteral("文件不存在"));
    if (!chosen.isFile())
        refuse(QStringLiteral("不是普通文件"));
}

// A BMP is read whole and proven readable, then written from those bytes.
void copyBmp(const QString &chosen, const QString &target)
{
    QByteArray bytes;
    try {
        bytes = PictureFile::read(chosen);
        BmpReader::read(bytes);
    } catch (const ImagingError &e) {
        refuseUnreadable(e);
    }
    AtomicFile::write(target, bytes);
}

} // namespace

Imported importPicture(const QString &chosen)
{
    const QFileInfo chosenFile(chosen);
    checkChosenFile(chosenFile);
    const bool isBmp = PicturePath::extension(chosen).toLower() == QLatin1String(".bmp");
    if (!isBmp && !uGlobal::isConvertible(chosen))
        refuse(QStringLiteral("不支持的图片格式"));

    const QString name = isBmp ? chosenFile.fileName()
                               : PicturePath::changeExtension(chosenFile.fileName(), QStringLiteral(".bmp"));
    const QString target = AppFolder::file(QStringLiteral("source/DeskTopBG/") + name);
    const bool isNew = !QFileInfo::exists(target);
    if (isBmp) {
        copyBmp(chosen, target);
    } else {
        try {
            uGlobal::convertInto(chosen, target);
        } catch (const ImagingError &e) {
            refuseUnreadable(e);
        }
    }
    return {QFileInfo(target).fileName(), target, isNew};
}

void withdraw(const Imported &picture)
{
    if (picture.isNew)
        QFile::remove(picture.path);
}

} // namespace PictureImport
