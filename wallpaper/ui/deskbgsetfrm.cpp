#include "wallpaper/ui/deskbgsetfrm.h"

#include "platform/desktopwallpaper.h"
#include "text/appfolder.h"

#include <QFileInfo>

TDeskBGSetFrm::TDeskBGSetFrm()
    : TDeskBGSetFrm(createDesktopWallpaper())
{
}

TDeskBGSetFrm::TDeskBGSetFrm(std::unique_ptr<DesktopWallpaper> desktop)
    : BGFolder(AppFolder::file(QStringLiteral("source/DeskTopBG/")))
    , m_desktop(std::move(desktop))
{
}

TDeskBGSetFrm::~TDeskBGSetFrm() = default;

void TDeskBGSetFrm::SetWallpaper(const QString &Path)
{
    const QFileInfo file(Path);
    m_desktop->setWallpaper(AppFolder::resolveCaseInsensitive(file.absolutePath(), file.fileName()));
}
