#include "wallpaper/ui/deskbgsetfrm.h"

#include "text/appfolder.h"

TDeskBGSetFrm::TDeskBGSetFrm()
    : BGFolder(AppFolder::file(QStringLiteral("source/DeskTopBG/")))
{
}
