#include "app/memoapplication.h"
#include "memo/webenginemodule.h"

#include <QApplication>

int main(int argc, char **argv)
{
    WebEngineModule::prepareApplication(argc, argv);
    QApplication application(argc, argv);
    prepareApplication();

    MemoApplication memo;
    if (!memo.start())
        return 1;
    memo.show();
    return application.exec();
}
