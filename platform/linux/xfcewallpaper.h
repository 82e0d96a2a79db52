#pragma once

#include "platform/desktopwallpaper.h"
#include "platform/linux/commandrunner.h"

#include <memory>

// XFCE: xfconf keeps one picture per screen, monitor and workspace; all of
// them get the picture, stretched.
class XfceWallpaper : public DesktopWallpaper {
public:
    explicit XfceWallpaper(std::shared_ptr<CommandRunner> runner);
    void setWallpaper(const QString &path) override;

    // last-image and image-style of every monitor and workspace.
    QString desktopName() const override { return QStringLiteral("xfce"); }
    QStringList currentSetting() override;
    void restoreSetting(const QStringList &setting) override;

private:
    QStringList lastImages();
    void setImage(const QString &lastImage, const QString &path);
    void setProperty(const QString &property, const QStringList &valueArguments);

    std::shared_ptr<CommandRunner> m_runner;
};
