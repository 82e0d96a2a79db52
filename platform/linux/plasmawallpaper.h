#pragma once

#include "platform/desktopwallpaper.h"
#include "platform/linux/commandrunner.h"

#include <memory>

// KDE Plasma: a script run by the plasma shell over the session bus sets the
// picture, stretched, on every desktop.
class PlasmaWallpaper : public DesktopWallpaper {
public:
    explicit PlasmaWallpaper(std::shared_ptr<CommandRunner> runner);
    void setWallpaper(const QString &path) override;

    // The script that gives every desktop this image URI, stretched.
    static QString script(const QString &imageUri);

private:
    void evaluate(const QString &script);

    std::shared_ptr<CommandRunner> m_runner;
};
