#include "platform/linux/fehwallpaper.h"

#include "files/atomicfile.h"
#include "platform/linux/commandwallpapers.h"

#include <QFile>

#include <utility>

FehWallpaper::FehWallpaper(std::shared_ptr<CommandRunner> runner, QString homeFolder)
    : m_runner(runner)
    , m_tool(CommandWallpaper::feh(std::move(runner)))
    , m_home(std::move(homeFolder))
{
}

QString FehWallpaper::fehbg() const
{
    return m_home + QStringLiteral("/.fehbg");
}

void FehWallpaper::setWallpaper(const QString &path)
{
    m_tool->setWallpaper(path);
}

QStringList FehWallpaper::currentSetting()
{
    QFile file(fehbg());
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw WallpaperError(QStringLiteral("无法读取 %1：%2").arg(fehbg(), file.errorString()).toStdString());
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void FehWallpaper::restoreSetting(const QStringList &setting)
{
    try {
        AtomicFile::write(fehbg(), (setting.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    } catch (const std::exception &failure) {
        throw WallpaperError(failure.what());
    }
    // The same script the session runs at login.
    runOrThrow(*m_runner, QStringLiteral("/bin/sh"), {fehbg()});
}
