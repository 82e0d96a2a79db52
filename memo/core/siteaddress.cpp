#include "memo/core/siteaddress.h"

#include "files/appfolder.h"
#include "files/linelist.h"

#include <QFileInfo>

namespace {

// Only an address of a whole site is taken: a scheme the browser engine
// shows, a host, and nothing after it.
QString siteRoot(const QString &line)
{
    const QUrl root(line.trimmed(), QUrl::StrictMode);
    const bool webScheme = root.scheme() == QLatin1String("https") || root.scheme() == QLatin1String("http");
    const bool bare = (root.path().isEmpty() || root.path() == QLatin1String("/")) && !root.hasQuery() && !root.hasFragment()
        && root.userInfo().isEmpty();
    if (!root.isValid() || !webScheme || root.host().isEmpty() || !bare)
        return {};
    return root.adjusted(QUrl::StripTrailingSlash | QUrl::RemovePath).toString();
}

} // namespace

namespace Site {

QString &rootOverride()
{
    static QString root;
    return root;
}

QString configuredRoot()
{
    if (!rootOverride().isEmpty())
        return rootOverride();
    const QString file = AppFolder::file(QString::fromUtf16(kSiteFile));
    if (!QFileInfo::exists(file))
        return {};
    try {
        const QStringList lines = LineList::read(file);
        return lines.isEmpty() ? QString() : siteRoot(lines.first());
    } catch (const FileError &) {
        // An unreadable file configures nothing: the program's own pages
        // are always there.
        return {};
    }
}

} // namespace Site
