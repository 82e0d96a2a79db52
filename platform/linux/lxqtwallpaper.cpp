#include "platform/linux/lxqtwallpaper.h"

#include "platform/linux/commandwallpapers.h"
#include "platform/linux/settinglines.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

const QLatin1String kWallpaper("Wallpaper");
const QLatin1String kMode("WallpaperMode");

// An LXQt session runs the desktop with the profile "lxqt"; pcmanfm-qt
// started on its own uses "default".
QString settingsFile(const QString &configHome)
{
    for (const char *profile : {"lxqt", "default"}) {
        const QString path = configHome + QStringLiteral("/pcmanfm-qt/") + QLatin1String(profile) + QStringLiteral("/settings.conf");
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

// The values of the [Desktop] group, as pcmanfm-qt writes them.
QList<QPair<QString, QString>> desktopGroup(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw WallpaperError(QStringLiteral("无法读取 pcmanfm-qt 的设置 %1：%2").arg(path, file.errorString()).toStdString());
    QList<QPair<QString, QString>> values;
    bool inDesktop = false;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[')) {
            inDesktop = line == QLatin1String("[Desktop]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inDesktop && equals > 0)
            values.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
    }
    return values;
}

} // namespace

LxqtWallpaper::LxqtWallpaper(std::shared_ptr<CommandRunner> runner, QString configHome)
    : m_runner(runner)
    , m_tool(CommandWallpaper::lxqt(std::move(runner)))
    , m_configHome(std::move(configHome))
{
}

void LxqtWallpaper::setWallpaper(const QString &path)
{
    m_tool->setWallpaper(path);
}

QStringList LxqtWallpaper::currentSetting()
{
    const QString path = settingsFile(m_configHome);
    if (path.isEmpty())
        return {};
    QString picture;
    QString mode;
    for (const auto &[name, value] : desktopGroup(path)) {
        if (name == kWallpaper)
            picture = value;
        else if (name == kMode)
            mode = value;
    }
    if (picture.isEmpty())
        return {};
    return {SettingLines::line(kWallpaper, picture), SettingLines::line(kMode, mode.isEmpty() ? QStringLiteral("stretch") : mode)};
}

void LxqtWallpaper::restoreSetting(const QStringList &setting)
{
    QString picture;
    QString mode = QStringLiteral("stretch");
    for (const auto &[name, value] : SettingLines::parse(setting)) {
        if (name == kWallpaper)
            picture = value;
        else if (name == kMode)
            mode = value;
    }
    if (picture.isEmpty())
        throw WallpaperError("记录中没有 pcmanfm-qt 的壁纸");
    runOrThrow(*m_runner, QStringLiteral("pcmanfm-qt"),
               {QStringLiteral("--set-wallpaper"), picture, QStringLiteral("--wallpaper-mode"), mode});
}
