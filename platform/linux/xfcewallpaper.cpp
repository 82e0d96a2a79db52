#include "platform/linux/xfcewallpaper.h"

#include "platform/linux/settinglines.h"

#include <QRegularExpression>

#include <utility>

namespace {

const QString xfconf = QStringLiteral("xfconf-query");
const QString channel = QStringLiteral("xfce4-desktop");
const QLatin1String lastImageName("last-image");
const QLatin1String imageStyleName("image-style");

QString imageStyleOf(const QString &lastImage)
{
    return lastImage.chopped(lastImageName.size()) + imageStyleName;
}

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

QStringList XfceWallpaper::lastImages()
{
    return lastImageProperties(runOrThrow(*m_runner, xfconf, {QStringLiteral("-c"), channel, QStringLiteral("-l")}));
}

void XfceWallpaper::setWallpaper(const QString &path)
{
    const QStringList properties = lastImages();
    if (properties.isEmpty())
        throw WallpaperError("XFCE 桌面还没有保存任何壁纸设置（xfce4-desktop 中没有 last-image），无法设置壁纸");
    for (const QString &lastImage : properties) {
        // 3 is "stretched" (2 tiles). The property may not exist yet, hence --create.
        setProperty(imageStyleOf(lastImage), {QStringLiteral("--create"), QStringLiteral("--type"), QStringLiteral("int"),
                                              QStringLiteral("-s"), QStringLiteral("3")});
        setImage(lastImage, path);
    }
}

void XfceWallpaper::setImage(const QString &lastImage, const QString &path)
{
    // The desktop reloads only when the value changes, and every apply
    // names the same file: an empty value first makes it read the new
    // picture.
    setProperty(lastImage, {QStringLiteral("-s"), QString()});
    setProperty(lastImage, {QStringLiteral("-s"), path});
}

QStringList XfceWallpaper::currentSetting()
{
    QStringList setting;
    for (const QString &lastImage : lastImages()) {
        // A monitor without a style of its own has none to keep.
        const QString imageStyle = imageStyleOf(lastImage);
        const CommandResult style = m_runner->run(xfconf, {QStringLiteral("-c"), channel, QStringLiteral("-p"), imageStyle});
        if (style.started && !style.crashed && style.exitCode == 0)
            setting << SettingLines::line(imageStyle, QString::fromUtf8(style.standardOutput).trimmed());
        const QByteArray image = runOrThrow(*m_runner, xfconf, {QStringLiteral("-c"), channel, QStringLiteral("-p"), lastImage});
        setting << SettingLines::line(lastImage, QString::fromUtf8(image).chopped(image.endsWith('\n') ? 1 : 0));
    }
    return setting;
}

void XfceWallpaper::restoreSetting(const QStringList &setting)
{
    for (const auto &[property, value] : SettingLines::parse(setting)) {
        if (property.endsWith(imageStyleName))
            setProperty(property, {QStringLiteral("--create"), QStringLiteral("--type"), QStringLiteral("int"),
                                   QStringLiteral("-s"), value});
        else if (property.endsWith(lastImageName))
            setImage(property, value);
    }
}

void XfceWallpaper::setProperty(const QString &property, const QStringList &valueArguments)
{
    runOrThrow(*m_runner, xfconf, QStringList{QStringLiteral("-c"), channel, QStringLiteral("-p"), property} + valueArguments);
}
