#include "wallpaper/originalwallpaper.h"

#include "files/linelist.h"
#include "platform/desktopwallpaper.h"

#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace {

// Whether a desktop's setting names the picture, as a path or as the file
// URI the GSettings and Plasma desktops keep.
bool names(const QStringList &setting, const QString &picture)
{
    const QString uri = QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded);
    for (const QString &line : setting) {
        if (line.contains(picture) || line.contains(uri))
            return true;
    }
    return false;
}

} // namespace

OriginalWallpaper::OriginalWallpaper(QString dataFolder)
    : m_dataFolder(std::move(dataFolder))
{
}

QString OriginalWallpaper::recordPath(const DesktopWallpaper &desktop) const
{
    return m_dataFolder + QStringLiteral("OriginalWallpaper-") + desktop.desktopName() + QStringLiteral(".ini");
}

void OriginalWallpaper::recordBefore(DesktopWallpaper &desktop, const QString &picture)
{
    const QString record = recordPath(desktop);
    if (QFileInfo::exists(record))
        return;
    try {
        const QStringList setting = desktop.currentSetting();
        if (!setting.isEmpty() && !names(setting, picture))
            LineList::write(record, setting);
    } catch (const std::exception &) {
        // The wallpaper is what the user asked for; a record that could not
        // be made only means there is nothing to give back later.
    }
}

bool OriginalWallpaper::restore(DesktopWallpaper &desktop)
{
    const QString record = recordPath(desktop);
    if (!QFileInfo::exists(record))
        return false;
    const QStringList setting = LineList::read(record);
    if (setting.isEmpty())
        return false;
    desktop.restoreSetting(setting);
    return true;
}
