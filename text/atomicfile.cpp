#include "text/atomicfile.h"

#include <QDir>

AtomicFile::AtomicFile(const QString &path)
    : m_path(path), m_file(path)
{
    // Unbuffered: each write reaches the system at once and its result is
    // seen here. A buffered QSaveFile can report success from commit()
    // after the flush of its buffer failed on a full disk.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail();
}

void AtomicFile::write(const void *data, qint64 size)
{
    // A write the system took only in part is tried again for the rest,
    // which then fails with the reason (a full disk, a size limit).
    const char *bytes = static_cast<const char *>(data);
    for (qint64 done = 0; done < size;) {
        const qint64 written = m_file.write(bytes + done, size - done);
        if (written <= 0)
            fail();
        done += written;
    }
}

void AtomicFile::commit()
{
    // commit() syncs the temporary to the disk before it renames it.
    if (!m_file.commit())
        fail();
}

void AtomicFile::write(const QString &path, const QByteArray &bytes)
{
    AtomicFile file(path);
    file.write(bytes.constData(), bytes.size());
    file.commit();
}

void AtomicFile::fail()
{
    const QString reason = m_file.error() == QFileDevice::ResourceError ? QStringLiteral("磁盘空间不足")
                                                                         : m_file.errorString();
    // The temporary goes with m_file, which never renames it uncommitted.
    throw FileError(
        QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(m_path), reason).toStdString());
}
