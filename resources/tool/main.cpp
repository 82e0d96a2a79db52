// Draws every picture of the windows into the folder given as argument.
// Run: QT_QPA_PLATFORM=offscreen drawresources resources/images
#include "painting.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawresources FOLDER\n");
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    std::vector<PictureRecipe> recipes = framePictures();
    for (auto &&more : {buttonPictures(), dialogPictures()})
        recipes.insert(recipes.end(), more.begin(), more.end());
    for (const PictureRecipe &recipe : recipes) {
        const QString path = folder.filePath(recipe.fileName);
        if (!recipe.draw().save(path, "PNG")) {
            std::fprintf(stderr, "drawresources: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
