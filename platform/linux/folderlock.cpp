#include "platform/folderlock.h"

#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

struct FolderLock::Handle {
    int fd = -1;
    ~Handle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The process that holds a lock on the file open at `fd`, as the system
// lists it in /proc/locks ("1: FLOCK  ADVISORY  WRITE 4711 08:01:1234 0 EOF"),
// or 0.
qint64 lockHolder(int fd)
{
    struct stat status {};
    QFile locks(QStringLiteral("/proc/locks"));
    if (::fstat(fd, &status) != 0 || !locks.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    const QString file = QStringLiteral("%1:%2:%3")
                             .arg(major(status.st_dev), 2, 16, QLatin1Char('0'))
                             .arg(minor(status.st_dev), 2, 16, QLatin1Char('0'))
                             .arg(status.st_ino);
    static const QRegularExpression entry(QStringLiteral(R"(^\d+: \S+\s+\S+\s+\S+\s+(\d+)\s+(\S+)\s)"));
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QRegularExpressionMatch found = entry.match(QString::fromLatin1(line));
        if (found.hasMatch() && found.captured(2) == file)
            return found.captured(1).toLongLong();
    }
    return 0;
}

} // namespace

FolderLock::FolderLock(const QString &folder, const QString &fallbackFile)
    : m_handle(std::make_unique<Handle>())
{
    const auto lock = [this](const QString &path, int flags) {
        if (m_handle->fd >= 0)
            ::close(m_handle->fd);
        m_handle->fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, 0600);
        if (m_handle->fd < 0)
            return errno;
        return ::flock(m_handle->fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
    };
    QString path = folder;
    int error = lock(path, O_RDONLY | O_DIRECTORY);
    if (error != 0 && error != EWOULDBLOCK && m_handle->fd >= 0) {
        // The folder opened but cannot be locked: NFS locks only files that
        // are open for writing.
        path = fallbackFile;
        error = lock(path, O_RDWR | O_CREAT | O_NOFOLLOW);
    }
    if (error == 0) {
        m_state = State::Held;
    } else if (error == EWOULDBLOCK) {
        m_state = State::HeldElsewhere;
        m_holder = lockHolder(m_handle->fd);
    } else {
        m_failedPath = path;
        m_failure = reason(error);
    }
}

FolderLock::~FolderLock() = default;
