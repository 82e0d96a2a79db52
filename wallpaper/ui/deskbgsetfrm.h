#pragma once

#include <QString>

#include <memory>

class DesktopWallpaper;

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

    // Makes the picture at Path the desktop wallpaper, stretched. The file
    // name is matched without regard to case, as the application folder's
    // files are. Throws when the desktop did not take it.
    void SetWallpaper(const QString &Path);

private:
    std::unique_ptr<DesktopWallpaper> m_desktop;
};
