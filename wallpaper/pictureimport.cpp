#include "wallpaper/pictureimport.h"

#include "imaging/imagingerror.h"
#include "text/appfolder.h"
#include "wallpaper/pictureformats.h"

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

} // namespace

Imported importPicture(const QString &chosen)
{
    const QFileInfo chosenFile(chosen);
    checkChosenFile(chosenFile);
    const PictureFormats::Format *format = PictureFormats::of(chosen);
    if (!format)
        refuse(QStringLiteral("不支持的图片格式"));

    const QString name = PictureFormats::bmpName(chosenFile.fileName());
    const QString target = AppFolder::file(QStringLiteral("source/DeskTopBG/") + name);
    const bool isNew = !QFileInfo::exists(target);
    try {
        format->writeBmp(chosen, target);
    } catch (const ImagingError &e) {
        refuseUnreadable(e);
    }
    return {QFileInfo(target).fileName(), target, isNew};
}

void withdraw(const Imported &picture)
{
    if (picture.isNew)
        QFile::remove(picture.path);
}

} // namespace PictureImport
