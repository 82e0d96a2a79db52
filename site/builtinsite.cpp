#include "site/builtinsite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <stdexcept>

namespace {

// Where the build puts the carried files among the program's resources.
const QString kResourceRoot = QStringLiteral(":/site");

void writeOne(const QString &target, const QByteArray &bytes)
{
    QSaveFile out(target);
    if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()
        || !out.commit())
        throw std::runtime_error(QStringLiteral("无法写出帮助页面“%1”：%2").arg(QDir::toNativeSeparators(target), out.errorString()).toStdString());
}

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

void writeTo(const QString &folder)
{
    for (const QString &path : files())
        writeOne(folder + path, file(path));
}

} // namespace BuiltInSite
