#include "site/builtinsite.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

// Where the build puts the carried files among the program's resources.
const QString kResourceRoot = QStringLiteral(":/site");

QByteArray carried(const QString &path)
{
    QFile carried(kResourceRoot + path);
    return carried.open(QIODevice::ReadOnly) ? carried.readAll() : QByteArray();
}

QString code(const QString &text)
{
    return QStringLiteral("<code>%1</code>").arg(text.toHtmlEscaped());
}

QString folderNote(const BuiltInSite::Facts &facts)
{
    if (facts.portable)
        return QStringLiteral("程序的所有文件都在程序所在的文件夹 %1 里（下称“数据文件夹”），与从哪里启动程序无关。")
            .arg(code(facts.dataFolder));
    return QStringLiteral("程序安装在系统中，您的记事、设置和图片放在您自己的数据文件夹 %1 里，"
                          "同一台电脑的其他用户各有各的数据文件夹。第一次启动时，程序从 %2 复制出空白的记事数据库和标准图片，"
                          "以后不会覆盖您的文件。")
        .arg(code(facts.dataFolder), code(facts.templateFolder));
}

// Fills the page's marks ({{DATA_FOLDER}}, …) from facts.
QString filledIn(QString page, const BuiltInSite::Facts &facts)
{
    return page.replace(QStringLiteral("{{FOLDER_NOTE}}"), folderNote(facts))
        .replace(QStringLiteral("{{DATA_FOLDER}}"), facts.dataFolder.toHtmlEscaped())
        .replace(QStringLiteral("{{FORMATS}}"), facts.pictureFormats.join(QStringLiteral("、")).toHtmlEscaped())
        .replace(QStringLiteral("{{EXTENSIONS}}"), facts.pictureExtensions.join(QStringLiteral("、")).toHtmlEscaped());
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

QByteArray file(const QString &path, const Facts &facts)
{
    const QByteArray bytes = carried(path);
    if (!path.endsWith(QLatin1String(".htm")))
        return bytes;
    return filledIn(QString::fromUtf8(bytes), facts).toUtf8();
}

QStringList tips()
{
    static const QRegularExpression tipItem(QStringLiteral(R"(<li class="tip">(.*?)</li>)"));
    static const QRegularExpression markup(QStringLiteral("<[^>]*>"));
    QStringList found;
    const QString help = QString::fromUtf8(carried(QStringLiteral("/help4/B90a.htm")));
    for (const QRegularExpressionMatch &tip : tipItem.globalMatch(help))
        found.append(tip.captured(1).remove(markup));
    return found;
}

QUrl url(const QString &path)
{
    return QUrl(QStringLiteral("qrc") + kResourceRoot + path);
}

} // namespace BuiltInSite
