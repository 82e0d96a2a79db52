#include "wallpaper/pictureimport.h"

#include "files/appfolder.h"
#include "imaging/imagingerror.h"
#include "wallpaper/pictureformats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

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
    // Every line of the list file is a row: such a name would be two.
    if (chosen.fileName().contains(QLatin1Char('\r')) || chosen.fileName().contains(QLatin1Char('\n')))
        refuse(QStringLiteral("文件名含有换行符，不能列入图片列表"));
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
    const QFileInfo targetFile(target);
    // A staged picture left by an add that was cut off is written over.
    const QString staged = targetFile.dir().filePath(QStringLiteral(".paxelo-adding-") + targetFile.fileName());
    try {
        format->writeBmp(chosen, staged);
    } catch (const ImagingError &e) {
        refuseUnreadable(e);
    } catch (const FileError &e) {
        // Told as the picture's own file: the staged one is the program's affair.
        throw FileError(QString::fromUtf8(e.what())
                            .replace(QDir::toNativeSeparators(staged), QDir::toNativeSeparators(target))
                            .toStdString());
    }
    return {targetFile.fileName(), target, staged};
}

void place(const Imported &picture)
{
    std::error_code error;
    std::filesystem::rename(picture.staged.toStdU16String(), picture.path.toStdU16String(), error);
    if (error) {
        QFile::remove(picture.staged);
        throw FileError(QStringLiteral("无法写入文件 %1：%2")
                            .arg(QDir::toNativeSeparators(picture.path), QString::fromStdString(error.message()))
                            .toStdString());
    }
}

void withdraw(const Imported &picture)
{
    QFile::remove(picture.staged);
}

} // namespace PictureImport
