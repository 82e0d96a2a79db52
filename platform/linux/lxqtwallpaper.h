#pragma once

#include "platform/desktopwallpaper.h"
#include "platform/linux/commandrunner.h"

#include <memory>

// LXQt: pcmanfm-qt draws the desktop; its --set-wallpaper sets the picture,
// and its settings file tells the picture and mode it shows.
class LxqtWallpaper : public DesktopWallpaper {
public:
    // configHome: the user's configuration folder ($XDG_CONFIG_HOME).
    LxqtWallpaper(std::shared_ptr<CommandRunner> runner, QString configHome);
    void setWallpaper(const QString &path) override;

    // Wallpaper and WallpaperMode of the profile's [Desktop] group.
    QString desktopName() const override { return QStringLiteral("lxqt"); }
    QStringList currentSetting() override;
    void restoreSetting(const QStringList &setting) override;

private:
    std::shared_ptr<CommandRunner> m_runner;
    std::unique_ptr<DesktopWallpaper> m_tool;
    QString m_configHome;
};
