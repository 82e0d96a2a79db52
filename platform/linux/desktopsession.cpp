#include "platform/linux/desktopsession.h"

#include <QDir>
#include <QStringList>

namespace {

// One name as desktops spell it in XDG_CURRENT_DESKTOP ("ubuntu:GNOME",
// "X-Cinnamon", "KDE") or DESKTOP_SESSION ("plasmawayland", "xubuntu").
DesktopFamily familyOfName(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n.startsWith(QLatin1String("gnome")) || n == QLatin1String("unity")
        || n.startsWith(QLatin1String("budgie")) || n == QLatin1String("ubuntu"))
        return DesktopFamily::Gnome;
    if (n.contains(QLatin1String("cinnamon")))
        return DesktopFamily::Cinnamon;
    if (n == QLatin1String("mate"))
        return DesktopFamily::Mate;
    if (n == QLatin1String("kde") || n.startsWith(QLatin1String("plasma")))
        return DesktopFamily::Plasma;
    if (n.startsWith(QLatin1String("xfce")) || n == QLatin1String("xubuntu"))
        return DesktopFamily::Xfce;
    if (n == QLatin1String("lxqt") || n == QLatin1String("lubuntu"))
        return DesktopFamily::Lxqt;
    if (n == QLatin1String("sway"))
        return DesktopFamily::Sway;
    return DesktopFamily::Unknown;
}

} // namespace

DesktopFamily detectDesktop(const QProcessEnvironment &environment)
{
    // XDG_CURRENT_DESKTOP lists the names from the most specific on, and a
    // distribution's own name ("ubuntu") may come before the desktop's.
    QStringList names = environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"))
                            .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    names << environment.value(QStringLiteral("DESKTOP_SESSION"));
    for (const QString &name : names) {
        const DesktopFamily family = familyOfName(name);
        if (family != DesktopFamily::Unknown)
            return family;
    }
    if (environment.contains(QStringLiteral("SWAYSOCK")))
        return DesktopFamily::Sway;
    // XWayland gives a Wayland session an X display too, but nobody sees
    // that display's root window.
    if (environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland")
        || !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty())
        return DesktopFamily::OtherWayland;
    if (!environment.value(QStringLiteral("DISPLAY")).isEmpty())
        return DesktopFamily::OtherX11;
    return DesktopFamily::Unknown;
}

QString describeSession(const QProcessEnvironment &environment)
{
    QStringList parts;
    for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "XDG_SESSION_TYPE", "DISPLAY"}) {
        const QString key = QString::fromLatin1(name);
        const QString value = environment.value(key);
        if (!value.isEmpty())
            parts << key + QLatin1Char('=') + value;
    }
    return parts.isEmpty() ? QStringLiteral("没有设置桌面环境变量") : parts.join(QStringLiteral(", "));
}

QString homeFolder(const QProcessEnvironment &environment)
{
    const QString home = environment.value(QStringLiteral("HOME"));
    return home.isEmpty() ? QDir::homePath() : home;
}

QString configHome(const QProcessEnvironment &environment)
{
    const QString config = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (config.isEmpty() || QDir::isRelativePath(config))
        return homeFolder(environment) + QStringLiteral("/.config");
    return config;
}
