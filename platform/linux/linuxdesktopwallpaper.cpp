#include "platform/linux/linuxdesktopwallpaper.h"

#include "platform/linux/commandwallpapers.h"
#include "platform/linux/desktopsession.h"
#include "platform/linux/fehwallpaper.h"
#include "platform/linux/gsettingswallpaper.h"
#include "platform/linux/lxqtwallpaper.h"
#include "platform/linux/plasmawallpaper.h"
#include "platform/linux/xfcewallpaper.h"

#include <QStandardPaths>

#include <utility>

namespace {

// A session whose wallpaper the program cannot set; the message says why.
class RefusingDesktop : public DesktopWallpaper {
public:
    explicit RefusingDesktop(QString message)
        : m_message(std::move(message))
    {
    }
    void setWallpaper(const QString &) override { throw WallpaperError(m_message.toStdString()); }

private:
    QString m_message;
};

// Any other X11 session: feh paints the root window, if it is installed.
// That is looked up at every apply, so installing feh helps at once.
class OtherX11Desktop : public DesktopWallpaper {
public:
    OtherX11Desktop(QProcessEnvironment environment, std::shared_ptr<CommandRunner> runner)
        : m_environment(std::move(environment))
        , m_feh(std::move(runner), homeFolder(m_environment))
    {
    }
    void setWallpaper(const QString &path) override
    {
        if (!installed(QStringLiteral("feh")))
            throw WallpaperError(QStringLiteral("程序不认识当前的桌面环境（%1）；这样的 X11 会话要用 feh 设置壁纸，"
                                                "但系统中没有安装 feh")
                                     .arg(describeSession(m_environment))
                                     .toStdString());
        m_feh.setWallpaper(path);
    }
    QString desktopName() const override { return m_feh.desktopName(); }
    QStringList currentSetting() override { return m_feh.currentSetting(); }
    void restoreSetting(const QStringList &setting) override { m_feh.restoreSetting(setting); }

private:
    bool installed(const QString &program) const
    {
        const QStringList path = m_environment.value(QStringLiteral("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
        return !path.isEmpty() && !QStandardPaths::findExecutable(program, path).isEmpty();
    }

    QProcessEnvironment m_environment;
    FehWallpaper m_feh;
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
        return std::make_unique<LxqtWallpaper>(std::move(runner), configHome(environment));
    case DesktopFamily::Sway:
        return CommandWallpaper::sway(std::move(runner));
    case DesktopFamily::OtherX11:
        return std::make_unique<OtherX11Desktop>(environment, std::move(runner));
    case DesktopFamily::OtherWayland:
        return std::make_unique<RefusingDesktop>(
            QStringLiteral("程序不认识当前的 Wayland 桌面环境（%1），无法设置桌面壁纸").arg(describeSession(environment)));
    case DesktopFamily::Unknown:
        break;
    }
    return std::make_unique<RefusingDesktop>(
        QStringLiteral("无法识别当前的桌面环境（%1），不能设置桌面壁纸").arg(describeSession(environment)));
}

std::unique_ptr<DesktopWallpaper> createDesktopWallpaper()
{
    return createLinuxDesktopWallpaper(QProcessEnvironment::systemEnvironment(),
                                       std::make_shared<ProcessCommandRunner>());
}
