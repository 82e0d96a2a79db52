#pragma once

#include "platform/wallpapererror.h"

#include <QString>
#include <QStringList>

#include <memory>

// Makes a picture file the desktop wallpaper of the current user, stretched
// to the screen and kept after the program ends.
class DesktopWallpaper {
public:
    virtual ~DesktopWallpaper() = default;

    // path is absolute. Throws WallpaperError when the desktop did not take
    // the picture.
    virtual void setWallpaper(const QString &path) = 0;

    // The user's own wallpaper, so that it can be given back: the desktop's
    // current setting as lines of text that only restoreSetting() reads, and
    // the name of the desktop they belong to (a setting of one desktop means
    // nothing to another). An empty list: the desktop keeps nothing the
    // program can read, or it cannot give a setting back. Throws
    // WallpaperError when the setting could not be read.
    virtual QString desktopName() const { return QStringLiteral("desktop"); }
    virtual QStringList currentSetting() { return {}; }
    // Puts back a setting that currentSetting() gave on this desktop. Throws
    // WallpaperError.
    virtual void restoreSetting(const QStringList &setting);
};

// The implementation for the platform and session the program runs in.
// Never throws: a session whose desktop cannot be identified gives an object
// whose setWallpaper fails with a message saying so.
std::unique_ptr<DesktopWallpaper> createDesktopWallpaper();
