#include "wallpaper/ui/deskbgsetfrm.h"

#include "files/appfolder.h"
#include "platform/desktopwallpaper.h"
#include "widgets/dialogs.h"

#include <QDir>

TDeskBGSetFrm::TDeskBGSetFrm()
    : TDeskBGSetFrm(createDesktopWallpaper())
{
}

TDeskBGSetFrm::TDeskBGSetFrm(std::unique_ptr<DesktopWallpaper> desktop)
    : BGFolder(AppFolder::file(QStringLiteral("source/DeskTopBG/")))
    , m_desktop(std::move(desktop))
    , m_original(AppFolder::file(QStringLiteral("Data/")))
{
}

TDeskBGSetFrm::~TDeskBGSetFrm() = default;

void TDeskBGSetFrm::SetWallpaper(const QString &Path)
{
    m_original.recordBefore(*m_desktop, Path);
    m_desktop->setWallpaper(Path);
}

bool TDeskBGSetFrm::restoreOriginal()
{
    return m_original.restore(*m_desktop);
}

void TDeskBGSetFrm::reportRefusal(QWidget *parent, const QString &reason, const QString &Path)
{
    if (m_refusalReported)
        return;
    m_refusalReported = true;
    Dialogs::instance().message(parent, QStringLiteral("桌面没有换上新的壁纸：%1\n\n"
                                                       "合成好的壁纸保存在：\n%2\n"
                                                       "可以在桌面设置里手动把它设为壁纸。本次运行中不再提示。")
                                            .arg(reason, QDir::toNativeSeparators(Path)));
}
