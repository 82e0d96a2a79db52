#include "wallpaper/appliedbackground.h"

#include "files/appfolder.h"
#include "files/linelist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace AppliedBackground {

QString path()
{
    return AppFolder::file(QStringLiteral("Data/LastBackground.ini"));
}

QString read()
{
    if (!QFileInfo::exists(path()))
        return {};
    try {
        const QStringList lines = LineList::read(path());
        return lines.isEmpty() ? QString() : lines.first();
    } catch (const FileError &) {
        return {};
    }
}

void write(const QString &pictureName)
{
    LineList::write(path(), {pictureName});
}

void forget()
{
    QFile file(path());
    if (file.exists() && !file.remove())
        throw FileError(QStringLiteral("无法删除文件 %1：%2")
                            .arg(QDir::toNativeSeparators(path()), file.errorString())
                            .toStdString());
}

} // namespace AppliedBackground
