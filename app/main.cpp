#include "app/memoapplication.h"
#include "memo/webenginemodule.h"
#include "text/userdatafolder.h"
#include "widgets/guard.h"

#include <QApplication>

int main(int argc, char **argv)
{
    WebEngineModule::prepareApplication(argc, argv);
    QApplication application(argc, argv);
    prepareApplication();
    // An installed program fills the user's own folder on the first start.
    bool dataFolderReady = false;
    guarded(nullptr, [&dataFolderReady] { UserDataFolder::prepare(); dataFolderReady = true; });
    if (!dataFolderReady)
        return 1;

    MemoApplication memo;
    if (!memo.start())
        return 1;
    memo.show();
    return application.exec();
}
