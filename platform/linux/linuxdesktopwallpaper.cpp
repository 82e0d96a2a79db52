#include "platform/linux/linuxdesktopwallpaper.h"

#include "platform/linux/commandwallpapers.h"
#include "platform/linux/desktopsession.h"
#include "platform/linux/gsettingswallpaper.h"
#include "platform/linux/plasmawallpaper.h"
#include "platform/linux/xfcewallpaper.h"

#include <utility>

namespace {

class UnidentifiedDesktop : public DesktopWallpaper {
public:
    explicit UnidentifiedDesktop(QString session)
        : m_session(std::move(session))
    {
    }
    void setWallpaper(const QString &) override
    {
        throw WallpaperError(QStringLiteral("无法识别当前的桌面环境（%1），不能设置桌面壁纸").arg(m_session).toStdString());
    }

private:
    QString m_session;
};

} // namespace

std::unique_ptr<DesktopWallpaper> createLinuxDesktopWallpaper(const QProcessEnvironment &environment,
                                                              std::shared_ptr<CommandRunner> runner)
{
    switch (detectDesktop(environment)) {
    case DesktopFamily::Gnome:
        return std::make_unique<GSettingsWallpaper>(GSettingsLayout::gnome());
    case DesktopFamily::Cinnamon:
        return std::make_unique<GSettingsWallpaper>(GSettingsLayout::cinnamon());
    case DesktopFamily::Mate:
        return std::make_unique<GSettingsWallpaper>(GSettingsLayout::mate());
    case DesktopFamily::Plasma:
        return std::make_unique<PlasmaWallpaper>(std::move(runner));
    case DesktopFamily::Xfce:
        return std::make_unique<XfceWallpaper>(std::move(runner));
    case DesktopFamily::Lxqt:
        return SingleCommandWallpaper::lxqt(std::move(runner));
    case DesktopFamily::Sway:
        return SingleCommandWallpaper::sway(std::move(runner));
    case DesktopFamily::OtherX11:
        return SingleCommandWallpaper::feh(std::move(runner));
    case DesktopFamily::Unknown:
        break;
    }
    return std::make_unique<UnidentifiedDesktop>(describeSession(environment));
}

std::unique_ptr<DesktopWallpaper> createDesktopWallpaper()
{
    return createLinuxDesktopWallpaper(QProcessEnvironment::systemEnvironment(),
                                       std::make_shared<ProcessCommandRunner>());
}
