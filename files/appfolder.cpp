#include "files/appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppFolder {
namespace {

QString &overriddenRoot()
{
    static QString folder;
    return folder;
}

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// The entry of `dir` named `name`, compared without regard to case when the
// exact spelling is absent.
QString matchEntry(const QDir &dir, const QString &name)
{
    if (dir.exists(name))
        return name;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

} // namespace

QString root()
{
    if (!overriddenRoot().isEmpty())
        return overriddenRoot();
    static const QString chosen = isPortable(programFolder()) ? programFolder() : userDataFolder();
    return chosen;
}

QString programFolder()
{
    return withSlash(QCoreApplication::applicationDirPath());
}

bool isPortable(const QString &folder)
{
    // A folder that holds Data/ but cannot be written (a read-only medium,
    // another user's folder) is still the program's: its store opens
    // read-only there, rather than the user finding an empty one elsewhere.
    return QFileInfo(resolveCaseInsensitive(folder, QStringLiteral("Data"))).isDir();
}

QString userDataFolder()
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) + QStringLiteral("paxelo-memo/");
}

QString templateFolder()
{
    // The install rules put the program in bin/ and its template in share/paxelo-memo/.
    const QString installed = QDir::cleanPath(programFolder() + QStringLiteral("../share/paxelo-memo"));
    return QFileInfo(installed).isDir() ? withSlash(installed) : programFolder();
}

void setRoot(const QString &folder)
{
    overriddenRoot() = folder.isEmpty() ? QString() : withSlash(QDir::fromNativeSeparators(folder));
}

QString resolveCaseInsensitive(const QString &folder, const QString &relative)
{
    QString path = withSlash(QDir::fromNativeSeparators(folder));
    const QStringList parts = QDir::fromNativeSeparators(relative).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    bool stillExists = true;
    for (int i = 0; i < parts.size(); ++i) {
        QString part = parts.at(i);
        if (stillExists) {
            part = matchEntry(QDir(path), part);
            stillExists = QFileInfo::exists(path + part);
        }
        path += part;
        if (i + 1 < parts.size())
            path += QLatin1Char('/');
    }
    if (relative.endsWith(QLatin1Char('/')) || relative.endsWith(QLatin1Char('\\')))
        path = withSlash(path);
    return path;
}

QString file(const QString &relative)
{
    return resolveCaseInsensitive(root(), relative);
}

} // namespace AppFolder
