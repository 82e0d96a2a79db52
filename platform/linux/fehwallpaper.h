#pragma once

#include "platform/desktopwallpaper.h"
#include "platform/linux/commandrunner.h"

#include <memory>

// feh paints the root window of an X11 session and writes the command that
// did it to ~/.fehbg, which the session runs at login to paint it again.
class FehWallpaper : public DesktopWallpaper {
public:
    FehWallpaper(std::shared_ptr<CommandRunner> runner, QString homeFolder);
    void setWallpaper(const QString &path) override;

    // The lines of ~/.fehbg; given back by writing them there and running it.
    QString desktopName() const override { return QStringLiteral("feh"); }
    QStringList currentSetting() override;
    void restoreSetting(const QStringList &setting) override;

private:
    QString fehbg() const;

    std::shared_ptr<CommandRunner> m_runner;
    std::unique_ptr<DesktopWallpaper> m_tool;
    QString m_home;
};
