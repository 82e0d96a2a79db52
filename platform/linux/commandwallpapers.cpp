#include "platform/linux/commandwallpapers.h"

#include <QFileInfo>

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

CommandWallpaper::CommandWallpaper(std::shared_ptr<CommandRunner> runner, QString program, Arguments arguments)
    : m_runner(std::move(runner))
    , m_program(std::move(program))
    , m_arguments(std::move(arguments))
{
}

void CommandWallpaper::setWallpaper(const QString &path)
{
    for (const QStringList &arguments : m_arguments(path))
        runOrThrow(*m_runner, m_program, arguments);
}

std::unique_ptr<DesktopWallpaper> CommandWallpaper::lxqt(std::shared_ptr<CommandRunner> runner)
{
    // pcmanfm-qt keeps a scaled copy of the picture and reads the file again
    // only for a path other than the one it shows, and every apply names the
    // same file: the path is given first in another spelling, then as it is.
    return std::make_unique<CommandWallpaper>(std::move(runner), QStringLiteral("pcmanfm-qt"), [](const QString &path) {
        const QFileInfo file(path);
        QList<QStringList> runs;
        for (const QString &spelling : {file.path() + QStringLiteral("/./") + file.fileName(), path})
            runs << QStringList{QStringLiteral("--set-wallpaper"), spelling, QStringLiteral("--wallpaper-mode"),
                                QStringLiteral("stretch")};
        return runs;
    });
}

std::unique_ptr<DesktopWallpaper> CommandWallpaper::sway(std::shared_ptr<CommandRunner> runner)
{
    return std::make_unique<CommandWallpaper>(std::move(runner), QStringLiteral("swaymsg"), [](const QString &path) {
        return QList<QStringList>{{QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"),
                                   swayQuoted(path), QStringLiteral("stretch")}};
    });
}

std::unique_ptr<DesktopWallpaper> CommandWallpaper::feh(std::shared_ptr<CommandRunner> runner)
{
    return std::make_unique<CommandWallpaper>(std::move(runner), QStringLiteral("feh"), [](const QString &path) {
        return QList<QStringList>{{QStringLiteral("--bg-scale"), path}};
    });
}
