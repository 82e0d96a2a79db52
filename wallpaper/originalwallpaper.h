#pragma once

#include <QString>

class DesktopWallpaper;

// The user's own wallpaper, kept before this program first sets one on a
// desktop, so that it can be given back: the desktop's setting as a list of
// lines in Data/OriginalWallpaper-<desktop>.ini, one file per desktop, written
// once and never replaced by a later apply.
class OriginalWallpaper {
public:
    // dataFolder: the application folder's Data/, with its trailing '/'.
    explicit OriginalWallpaper(QString dataFolder);

    // Before `picture` becomes the wallpaper. Keeps the desktop's setting
    // unless one is kept for this desktop already or the setting names
    // `picture` itself: then the program's own wallpaper is on the desktop,
    // and the user's was lost before (a record deleted by hand). A setting
    // that cannot be read or kept is passed over; the apply goes on.
    void recordBefore(DesktopWallpaper &desktop, const QString &picture);

    // Gives the kept setting back to the desktop; false when none is kept
    // for it. Throws WallpaperError or FileError.
    bool restore(DesktopWallpaper &desktop);

    QString recordPath(const DesktopWallpaper &desktop) const;

private:
    QString m_dataFolder;
};
