#pragma once

#include <QProcessEnvironment>
#include <QString>

// The desktops whose wallpaper the program knows how to set. Several
// desktops share one family when they share the way to set it.
enum class DesktopFamily {
    Gnome,    // GNOME, Unity, Budgie
    Cinnamon,
    Mate,
    Plasma,
    Xfce,
    Lxqt,
    Sway,
    OtherX11,     // any other X11 session
    OtherWayland, // any other Wayland session, even one with an X display
    Unknown,
};

// The family of the session described by the environment (the process
// environment in the program, a made-up one in tests).
DesktopFamily detectDesktop(const QProcessEnvironment &environment);

// The variables that identify the desktop and are set, for messages.
QString describeSession(const QProcessEnvironment &environment);

// The user's configuration folder: $XDG_CONFIG_HOME, or $HOME/.config when
// that is unset or not absolute (the rules ignore a relative one).
QString configHome(const QProcessEnvironment &environment);

// $HOME, or the home folder the system knows.
QString homeFolder(const QProcessEnvironment &environment);
