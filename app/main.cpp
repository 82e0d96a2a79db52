#include "app/commandline.h"
#include "app/memoapplication.h"
#include "app/singleinstance.h"
#include "files/appfolder.h"
#include "files/userdatafolder.h"
#include "memo/webenginemodule.h"
#include "widgets/guard.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // --help and --version answer without a display.
    if (const std::optional<int> status = CommandLine::handle(argc, argv))
        return *status;
    WebEngineModule::prepareApplication(argc, argv);
    QApplication application(argc, argv);
    prepareApplication();
    // An installed program fills the user's own folder on the first start.
    bool dataFolderReady = false;
    guarded(nullptr, [&dataFolderReady] { UserDataFolder::prepare(); dataFolderReady = true; });
    if (!dataFolderReady)
        return 1;

    // A second copy on the same folder would write over the first one's
    // notes: it hands over to the running copy, or says why it does not
    // start, and ends untouched.
    SingleInstance instance(AppFolder::root());
    if (!instance.isFirst())
        return endLaterStart(instance);

    MemoApplication memo;
    if (!memo.start())
        return 1;
    memo.show();
    instance.onLaterStart([&memo] { memo.bringToFront(); });
    return application.exec();
}
