#include "site/builtinsite.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

// Where the build puts the carried files among the program's resources.
const QString kResourceRoot = QStringLiteral(":/site");

} // namespace

namespace BuiltInSite {

QStringList files()
{
    QStringList paths;
    QDirIterator walk(kResourceRoot, QDir::Files, QDirIterator::Subdirectories);
    while (walk.hasNext())
        paths.append(walk.next().mid(kResourceRoot.size()));
    paths.sort();
    return paths;
}

QByteArray file(const QString &path)
{
    QFile carried(kResourceRoot + path);
    return carried.open(QIODevice::ReadOnly) ? carried.readAll() : QByteArray();
}

QStringList tips()
{
    static const QRegularExpression tipItem(QStringLiteral(R"(<li class="tip">(.*?)</li>)"));
    static const QRegularExpression markup(QStringLiteral("<[^>]*>"));
    QStringList found;
    const QString help = QString::fromUtf8(file(QStringLiteral("/help4/B90a.htm")));
    for (const QRegularExpressionMatch &tip : tipItem.globalMatch(help))
        found.append(tip.captured(1).remove(markup));
    return found;
}

QUrl url(const QString &path)
{
    return QUrl(QStringLiteral("qrc") + kResourceRoot + path);
}

} // namespace BuiltInSite
