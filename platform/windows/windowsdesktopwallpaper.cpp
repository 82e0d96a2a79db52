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
    QString desktopName() const override { return QStringLiteral("windows"); }
    QStringList currentSetting() override
    {
        QStringList setting;
        for (const auto &[name, value] : RegistryWallpaper::read().values)
            setting << QString::fromStdWString(name) + QLatin1Char('=') + QString::fromStdWString(value);
        return setting;
    }
    void restoreSetting(const QStringList &setting) override
    {
        RegistryWallpaper::Setting values;
        for (const QString &line : setting) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals > 0)
                values.values.emplace_back(line.left(equals).toStdWString(), line.mid(equals + 1).toStdWString());
        }
        RegistryWallpaper::restore(values);
    }
};

} // namespace

std::unique_ptr<DesktopWallpaper> createDesktopWallpaper()
{
    return std::make_unique<WindowsDesktopWallpaper>();
}
