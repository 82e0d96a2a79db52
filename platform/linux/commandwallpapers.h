#pragma once

#include "platform/desktopwallpaper.h"
#include "platform/linux/commandrunner.h"

#include <functional>
#include <memory>

// Desktops whose own tool sets a stretched wallpaper: one run of the tool,
// or a few in a row.
class CommandWallpaper : public DesktopWallpaper {
public:
    // The arguments of each run, in order.
    using Arguments = std::function<QList<QStringList>(const QString &path)>;

    CommandWallpaper(std::shared_ptr<CommandRunner> runner, QString program, Arguments arguments);
    void setWallpaper(const QString &path) override;

    static std::unique_ptr<DesktopWallpaper> lxqt(std::shared_ptr<CommandRunner> runner);
    static std::unique_ptr<DesktopWallpaper> sway(std::shared_ptr<CommandRunner> runner);
    // feh paints the root window of an X11 session and keeps it so.
    static std::unique_ptr<DesktopWallpaper> feh(std::shared_ptr<CommandRunner> runner);

private:
    std::shared_ptr<CommandRunner> m_runner;
    QString m_program;
    Arguments m_arguments;
};
