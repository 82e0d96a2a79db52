#include "text/userdatafolder.h"

#include "text/appfolder.h"
#include "text/fileerror.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

[[noreturn]] void fail(const QString &what, const QString &path, const QString &why)
{
    throw FileError(QStringLiteral("%1 %2：%3").arg(what, QDir::toNativeSeparators(path), why).toStdString());
}

} // namespace

UserDataFolder::UserDataFolder(const QString &templateFolder, const QString &target)
    : m_template(QDir(templateFolder).absolutePath())
    , m_target(QDir(target).absolutePath())
{
}

void UserDataFolder::fillMissing() const
{
    // Only the layout's folders: a portable folder that is its own template
    // also holds the program and its libraries.
    const QDir source(m_template);
    for (const QString &folder : {QStringLiteral("Data"), QStringLiteral("source/DeskTopBG")}) {
        const QString from = AppFolder::resolveCaseInsensitive(m_template, folder);
        if (!QFileInfo(from).isDir())
            continue;
        QDirIterator files(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext())
            copyFile(source.relativeFilePath(files.next()));
    }
}

void UserDataFolder::copyFile(const QString &relative) const
{
    // A user's folder copied from Windows spells its names in other cases.
    const QString target = AppFolder::resolveCaseInsensitive(m_target, relative);
    if (QFileInfo::exists(target))
        return;
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        fail(QStringLiteral("无法创建数据文件夹"), folder, QStringLiteral("没有写入权限或磁盘已满"));
    // QFile::copy writes a temporary file and renames it: an interrupted
    // first start leaves no torn store behind.
    QFile source(m_template + QLatin1Char('/') + relative);
    if (!source.copy(target))
        fail(QStringLiteral("无法复制数据文件"), target, source.errorString());
    // The template may be read-only (a system folder, a CD); the copy is the user's.
    QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
}

void UserDataFolder::prepare()
{
    const QString root = AppFolder::root();
    if (root != AppFolder::programFolder())
        UserDataFolder(AppFolder::templateFolder(), root).fillMissing();
}
