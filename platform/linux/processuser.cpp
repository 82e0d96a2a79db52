#include "platform/processuser.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder that this user alone can enter, as a folder itself, not a link.
bool isPrivateFolder(const QString &path)
{
    struct stat status {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode)
           && status.st_uid == ::geteuid() && (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

QString privateRuntimeFolder()
{
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (isPrivateFolder(runtime))
        return runtime;
    // The name is known to every user, so whoever made it first owns it:
    // a folder that is not this user's alone is never used.
    const QString own = QDir::tempPath() + QStringLiteral("/paxelo-memo-%1").arg(::geteuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

} // namespace

bool runsAsSuperuser()
{
    return geteuid() == 0;
}

void keepRunningPastFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

QString privateSocketName(const QString &name)
{
    const QString folder = privateRuntimeFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}
