#pragma once

#include "platform/desktopwallpaper.h"
#include "platform/linux/commandrunner.h"

#include <functional>
#include <memory>

// Desktops whose own tool sets a stretched wallpaper in one command.
class SingleCommandWallpaper : public DesktopWallpaper {
public:
    using Arguments = std::function<QStringList(const QString &path)>;

    SingleCommandWallpaper(std::shared_ptr<CommandRunner> runner, QString program, Arguments arguments);
    void setWallpaper(const QString &path) override;

    static std::unique_ptr<DesktopWallpaper> lxqt(std::shared_ptr<CommandRunner> runner);
    static std::unique_ptr<DesktopWallpaper> sway(std::shared_ptr<CommandRunner> runner);
    // Any other X11 session: feh paints the root window and keeps it so.
    static std::unique_ptr<DesktopWallpaper> feh(std::shared_ptr<CommandRunner> runner);

private:
    std::shared_ptr<CommandRunner> m_runner;
    QString m_program;
    Arguments m_arguments;
};
