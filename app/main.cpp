#include "app/memoapplication.h"
#include "app/singleinstance.h"
#include "text/appfolder.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The web panel shares OpenGL contexts with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    prepareApplication();

    // A second copy on the same folder would write over the first one's
    // notes: it hands over to the running copy and ends untouched.
    SingleInstance instance(AppFolder::root());
    if (!instance.isFirst()) {
        instance.handOver(1500);
        return 0;
    }

    MemoApplication memo;
    if (!memo.start())
        return 1;
    memo.show();
    instance.onLaterStart([&memo] { memo.bringToFront(); });
    return application.exec();
}
