#include "platform/desktopwallpaper.h"
#include "platform/windows/registrywallpaper.h"

#include <QDir>

namespace {

class WindowsDesktopWallpaper : public DesktopWallpaper {
public:
    void setWallpaper(const QString &path) override
    {
        RegistryWallpaper::apply(QDir::toNativeSeparators(path).toStdWString());
    }
};

} // namespace

std::unique_ptr<DesktopWallpaper> createDesktopWallpaper()
{
    return std::make_unique<WindowsDesktopWallpaper>();
}
