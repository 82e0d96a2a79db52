#include "platform/linux/xfcewallpaper.h"

#include <QRegularExpression>

#include <utility>

namespace {

const QString xfconf = QStringLiteral("xfconf-query");
const QString channel = QStringLiteral("xfce4-desktop");
const QLatin1String lastImageName("last-image");

// The names under /backdrop follow the monitors' names ("monitor0",
// "monitoreDP-1"), which only the list tells.
QStringList lastImageProperties(const QByteArray &list)
{
    static const QRegularExpression pattern(
        QStringLiteral("^/backdrop/screen[^/]+/monitor[^/]+/workspace[^/]+/last-image$"));
    QStringList properties;
    for (const QByteArray &line : list.split('\n')) {
        const QString property = QString::fromUtf8(line).trimmed();
        if (pattern.match(property).hasMatch())
            properties << property;
    }
    return properties;
}

} // namespace

XfceWallpaper::XfceWallpaper(std::shared_ptr<CommandRunner> runner)
    : m_runner(std::move(runner))
{
}

void XfceWallpaper::setWallpaper(const QString &path)
{
    const QStringList properties =
        lastImageProperties(runOrThrow(*m_runner, xfconf, {QStringLiteral("-c"), channel, QStringLiteral("-l")}));
    if (properties.isEmpty())
        throw WallpaperError("XFCE 桌面还没有保存任何壁纸设置（xfce4-desktop 中没有 last-image），无法设置壁纸");
    for (const QString &lastImage : properties) {
        const QString imageStyle = lastImage.chopped(lastImageName.size()) + QLatin1String("image-style");
        // 3 is "stretched" (2 tiles). The property may not exist yet, hence --create.
        setProperty(imageStyle, {QStringLiteral("--create"), QStringLiteral("--type"), QStringLiteral("int"),
                                 QStringLiteral("-s"), QStringLiteral("3")});
        // The desktop reloads only when the value changes, and every apply
        // names the same file: an empty value first makes it read the new
        // picture.
        setProperty(lastImage, {QStringLiteral("-s"), QString()});
        setProperty(lastImage, {QStringLiteral("-s"), path});
    }
}

void XfceWallpaper::setProperty(const QString &property, const QStringList &valueArguments)
{
    runOrThrow(*m_runner, xfconf, QStringList{QStringLiteral("-c"), channel, QStringLiteral("-p"), property} + valueArguments);
}
