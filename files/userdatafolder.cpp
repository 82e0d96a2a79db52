#include "files/userdatafolder.h"

#include "files/appfolder.h"
#include "files/fileerror.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

[[noreturn]] void fail(const QString &what, const QString &path, const QString &why)
{
    throw FileError(QStringLiteral("%1 %2：%3").arg(what, QDir::toNativeSeparators(path), why).toStdString());
}

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

// Makes `folder` and the folders above it that are missing, each for its
// owner alone (0700): the notes are the user's, whatever the umask.
bool makePrivatePath(const QString &folder)
{
    const QFileInfo wanted(folder);
    if (wanted.isDir())
        return true;
    const QString parent = wanted.absolutePath();
    if (parent == wanted.absoluteFilePath() || !makePrivatePath(parent))
        return false;
    return QDir(parent).mkdir(wanted.fileName(), kOwnerOnly | QFile::ExeOwner) || wanted.isDir();
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
    if (!makePrivatePath(folder))
        fail(QStringLiteral("无法创建数据文件夹"), folder, QStringLiteral("没有写入权限或磁盘已满"));
    // QFile::copy writes a temporary file and renames it: an interrupted
    // first start leaves no torn store behind.
    QFile source(m_template + QLatin1Char('/') + relative);
    if (!source.copy(target))
        fail(QStringLiteral("无法复制数据文件"), target, source.errorString());
    // The template may be read-only (a system folder, a CD) or open to
    // everyone; the copy is the user's alone.
    QFile::setPermissions(target, kOwnerOnly);
}

void UserDataFolder::prepare()
{
    const QString root = AppFolder::root();
    if (root != AppFolder::programFolder())
        UserDataFolder(AppFolder::templateFolder(), root).fillMissing();
}
