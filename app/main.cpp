#include "app/memoapplication.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The web panel shares OpenGL contexts with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    prepareApplication();

    MemoApplication memo;
    if (!memo.start())
        return 1;
    memo.show();
    return application.exec();
}
