#pragma once

#include "wallpaper/originalwallpaper.h"

#include <QString>

#include <memory>

class DesktopWallpaper;
class QWidget;

// Holds the composer's folder and paths and the wallpaper step; never shown.
class TDeskBGSetFrm {
public:
    // Sets the wallpaper of this session's desktop.
    TDeskBGSetFrm();
    // Sets the wallpaper through `desktop` (tests record the calls).
    explicit TDeskBGSetFrm(std::unique_ptr<DesktopWallpaper> desktop);
    ~TDeskBGSetFrm();

    // The composer's folder, application folder + "source/DeskTopBG/".
    QString BGFolder;
    // The background and the content picture of the last apply.
    QString BgPicPath;
    QString ContentPicPath;

    // Makes the picture at Path the desktop wallpaper, stretched. The desktop
    // gets exactly this file (a MIX.BMP copied from Windows beside the Mix.bmp
    // the apply wrote must not win). Throws when the desktop did not take it.
    // The first time on a desktop, the user's own wallpaper is kept first.
    void SetWallpaper(const QString &Path);

    // Gives the desktop the wallpaper it had before this program first set
    // one; false when none was kept. Throws WallpaperError or FileError.
    bool restoreOriginal();

    // Tells the user that the desktop did not take the wallpaper at Path, and
    // why, so they can set it by hand; once in a run, since every later apply
    // would meet the same desktop.
    void reportRefusal(QWidget *parent, const QString &reason, const QString &Path);

private:
    std::unique_ptr<DesktopWallpaper> m_desktop;
    OriginalWallpaper m_original;
    bool m_refusalReported = false;
};
