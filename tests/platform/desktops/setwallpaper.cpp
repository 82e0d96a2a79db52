// Sets the wallpaper of the desktop this process runs in through the
// program's own wallpaper code. The desktop tests start real desktops and
// drive them with it:
//   setwallpaper PICTURE                        sets the picture
//   setwallpaper --keep-original DATA PICTURE   keeps the user's own wallpaper
//                                               in DATA first, as the apply does
//   setwallpaper --restore DATA                 gives the kept wallpaper back
#include "platform/desktopwallpaper.h"
#include "wallpaper/originalwallpaper.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: setwallpaper [--keep-original DATA] PICTURE | --restore DATA\n");
    return 2;
}

QString folder(const QString &path)
{
    return QDir(path).absolutePath() + QLatin1Char('/');
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const std::unique_ptr<DesktopWallpaper> desktop = createDesktopWallpaper();
    try {
        if (arguments.size() == 1) {
            desktop->setWallpaper(QFileInfo(arguments.at(0)).absoluteFilePath());
        } else if (arguments.size() == 3 && arguments.at(0) == QLatin1String("--keep-original")) {
            const QString picture = QFileInfo(arguments.at(2)).absoluteFilePath();
            OriginalWallpaper(folder(arguments.at(1))).recordBefore(*desktop, picture);
            desktop->setWallpaper(picture);
        } else if (arguments.size() == 2 && arguments.at(0) == QLatin1String("--restore")) {
            if (!OriginalWallpaper(folder(arguments.at(1))).restore(*desktop)) {
                std::fprintf(stderr, "no wallpaper was kept for this desktop\n");
                return 1;
            }
        } else {
            return usage();
        }
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
