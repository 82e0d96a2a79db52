#include "platform/desktopwallpaper.h"

void DesktopWallpaper::restoreSetting(const QStringList &)
{
    throw WallpaperError("这个桌面的壁纸设置无法由本程序恢复");
}
