#include "platform/fileidentity.h"

#include <QFile>

#include <sys/stat.h>

std::optional<FileIdentity> fileIdentity(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
                        qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}
