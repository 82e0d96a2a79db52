// Composes the wallpaper for the screen this process runs on, through the
// program's own composition and wallpaper code, and sets it: the notes'
// picture, a background and the position letter are named on the command
// line; Mix.bmp and Mix.Jpg are written to the folder. The desktop tests
// read the screen back and compare it with what they expect.
#include "platform/desktopwallpaper.h"
#include "wallpaper/composition.h"
#include "wallpaper/compositioncanvas.h"
#include "wallpaper/mixfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 5) {
        std::fprintf(stderr, "usage: composewallpaper CONTENT BACKGROUND LETTER FOLDER\n");
        return 2;
    }
    const QString folder = QDir(arguments.at(4)).absolutePath() + QLatin1Char('/');
    const CompositionCanvas canvas = Canvas::forScreen(Canvas::metricsOf(*QGuiApplication::primaryScreen()));
    const Composition::Request request {QFileInfo(arguments.at(1)).absoluteFilePath(),
                                        QFileInfo(arguments.at(2)).absoluteFilePath(), canvas, arguments.at(3), folder};
    try {
        if (!Composition::writeWallpaperFiles(request)) {
            std::fprintf(stderr, "Mix.Jpg could not be made\n");
            return 1;
        }
        createDesktopWallpaper()->setWallpaper(MixFiles::mixBmpPath(folder));
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
