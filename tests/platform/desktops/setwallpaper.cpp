// Sets the wallpaper of the desktop this process runs in to the picture named
// on the command line, through the program's own wallpaper code. The desktop
// tests start real desktops and drive them with it.
#include "platform/desktopwallpaper.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: setwallpaper PICTURE\n");
        return 2;
    }
    try {
        createDesktopWallpaper()->setWallpaper(QFileInfo(arguments.at(1)).absoluteFilePath());
    } catch (const WallpaperError &refusal) {
        std::fprintf(stderr, "%s\n", refusal.what());
        return 1;
    }
    return 0;
}
