#include "app/memoapplication.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The browser engine, loaded for a configured web site only, shares
    // OpenGL contexts with the windows: settled before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    prepareApplication();

    MemoApplication memo;
    if (!memo.start())
        return 1;
    memo.show();
    return application.exec();
}
