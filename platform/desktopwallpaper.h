#pragma once

#include "platform/wallpapererror.h"

#include <QString>

#include <memory>

// Makes a picture file the desktop wallpaper of the current user, stretched
// to the screen and kept after the program ends.
class DesktopWallpaper {
public:
    virtual ~DesktopWallpaper() = default;

    // path is absolute. Throws WallpaperError when the desktop did not take
    // the picture.
    virtual void setWallpaper(const QString &path) = 0;
};

// The implementation for the platform and session the program runs in.
// Never throws: a session whose desktop cannot be identified gives an object
// whose setWallpaper fails with a message saying so.
std::unique_ptr<DesktopWallpaper> createDesktopWallpaper();
