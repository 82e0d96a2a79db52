#pragma once

#include "platform/desktopwallpaper.h"
#include "platform/linux/commandrunner.h"

#include <memory>

// XFCE: xfconf keeps one picture per screen, monitor and workspace; all of
// them get the picture, stretched.
class XfceWallpaper : public DesktopWallpaper {
public:
    explicit XfceWallpaper(std::shared_ptr<CommandRunner> runner);
    void setWallpaper(const QString &path) override;

private:
    void setProperty(const QString &property, const QStringList &valueArguments);

    std::shared_ptr<CommandRunner> m_runner;
};
