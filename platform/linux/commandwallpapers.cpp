#include "platform/linux/commandwallpapers.h"

#include <utility>

namespace {

// swaymsg joins its arguments into one sway command, which splits words at
// blanks unless they are quoted.
QString swayQuoted(const QString &path)
{
    QString escaped = path;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace

SingleCommandWallpaper::SingleCommandWallpaper(std::shared_ptr<CommandRunner> runner, QString program,
                                               Arguments arguments)
    : m_runner(std::move(runner))
    , m_program(std::move(program))
    , m_arguments(std::move(arguments))
{
}

void SingleCommandWallpaper::setWallpaper(const QString &path)
{
    runOrThrow(*m_runner, m_program, m_arguments(path));
}

std::unique_ptr<DesktopWallpaper> SingleCommandWallpaper::lxqt(std::shared_ptr<CommandRunner> runner)
{
    return std::make_unique<SingleCommandWallpaper>(std::move(runner), QStringLiteral("pcmanfm-qt"), [](const QString &path) {
        return QStringList{QStringLiteral("--set-wallpaper"), path, QStringLiteral("--wallpaper-mode"),
                           QStringLiteral("stretch")};
    });
}

std::unique_ptr<DesktopWallpaper> SingleCommandWallpaper::sway(std::shared_ptr<CommandRunner> runner)
{
    return std::make_unique<SingleCommandWallpaper>(std::move(runner), QStringLiteral("swaymsg"), [](const QString &path) {
        return QStringList{QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"), swayQuoted(path),
                           QStringLiteral("stretch")};
    });
}

std::unique_ptr<DesktopWallpaper> SingleCommandWallpaper::feh(std::shared_ptr<CommandRunner> runner)
{
    return std::make_unique<SingleCommandWallpaper>(std::move(runner), QStringLiteral("feh"), [](const QString &path) {
        return QStringList{QStringLiteral("--bg-scale"), path};
    });
}
