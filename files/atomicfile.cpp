#include "files/atomicfile.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

AtomicFile::AtomicFile(const QString &path, Durability durability)
    : m_path(path), m_durability(durability), m_synced(path), m_regenerated(path + QStringLiteral(".XXXXXX"))
{
    // Unbuffered: each write reaches the system at once and its result is
    // seen here. A buffered QSaveFile can report success from commit()
    // after the flush of its buffer failed on a full disk.
    const QFileInfo replaced(path);
    const bool opened = m_durability == Durability::Synced
                            ? m_synced.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                            : m_regenerated.open();
    if (!opened)
        fail();
    // A file the program makes is its user's alone, whatever the umask; a
    // file it replaces keeps the access its owner gave it.
    // (The "user" flags say what the running user may do, not the file's mode.)
    const QFileDevice::Permissions access =
        replaced.exists()
            ? replaced.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser)
            : QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (!device().setPermissions(access))
        fail();
}

QFileDevice &AtomicFile::device()
{
    if (m_durability == Durability::Synced)
        return m_synced;
    return m_regenerated;
}

void AtomicFile::write(const void *data, qint64 size)
{
    // A write the system took only in part is tried again for the rest,
    // which then fails with the reason (a full disk, a size limit).
    const char *bytes = static_cast<const char *>(data);
    for (qint64 done = 0; done < size;) {
        const qint64 written = device().write(bytes + done, size - done);
        if (written <= 0)
            fail();
        done += written;
    }
}

void AtomicFile::commit()
{
    if (m_durability == Durability::Synced) {
        // commit() syncs the temporary to the disk before it renames it.
        if (!m_synced.commit())
            fail();
        return;
    }
    renameRegenerated();
}

void AtomicFile::renameRegenerated()
{
    // The temporary file is buffered: its last bytes reach the system here,
    // and a failure then is seen before anything is renamed.
    if (!m_regenerated.flush())
        fail();
    const QString temporary = m_regenerated.fileName();
    m_regenerated.close();
    std::error_code error;
    std::filesystem::rename(temporary.toStdU16String(), m_path.toStdU16String(), error);
    if (error)
        fail(QString::fromStdString(error.message()));
}

void AtomicFile::write(const QString &path, const QByteArray &bytes, Durability durability)
{
    AtomicFile file(path, durability);
    file.write(bytes.constData(), bytes.size());
    file.commit();
}

void AtomicFile::fail(const QString &reason)
{
    const QFileDevice &file = device();
    const QString why = !reason.isEmpty() ? reason
                        : file.error() == QFileDevice::ResourceError ? QStringLiteral("磁盘空间不足")
                                                                     : file.errorString();
    // The temporary goes with its device, which never renames it uncommitted.
    throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(m_path), why).toStdString());
}
