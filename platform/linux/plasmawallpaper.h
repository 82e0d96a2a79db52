#pragma once

#include "platform/desktopwallpaper.h"
#include "platform/linux/commandrunner.h"

#include <memory>

// KDE Plasma: a script run by the plasma shell over the session bus sets the
// picture, stretched, on every desktop.
class PlasmaWallpaper : public DesktopWallpaper {
public:
    explicit PlasmaWallpaper(std::shared_ptr<CommandRunner> runner);
    void setWallpaper(const QString &path) override;

    // The wallpaper plugin, image and fill mode of the first desktop; given
    // back to every desktop.
    QString desktopName() const override { return QStringLiteral("plasma"); }
    QStringList currentSetting() override;
    void restoreSetting(const QStringList &setting) override;

    // The script that gives every desktop this image URI, stretched.
    static QString script(const QString &imageUri);
    // The script that prints the first desktop's setting as lines.
    static QString readingScript();
    // The script that gives every desktop this plugin, image and fill mode.
    static QString restoringScript(const QString &plugin, const QString &imageUri, const QString &fillMode);
    // What the shell printed, out of dbus-send's reply.
    static QString printedText(const QByteArray &reply);

private:
    QByteArray evaluate(const QString &script);

    std::shared_ptr<CommandRunner> m_runner;
};
