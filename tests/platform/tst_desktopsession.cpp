#include "platform/linux/desktopsession.h"

#include <QTest>

Q_DECLARE_METATYPE(DesktopFamily)

class TestDesktopSession : public QObject {
    Q_OBJECT
private slots:
    void detectsTheFamily_data();
    void detectsTheFamily();
};

void TestDesktopSession::detectsTheFamily_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<DesktopFamily>("family");

    QTest::newRow("GNOME") << QStringList{"XDG_CURRENT_DESKTOP=GNOME"} << DesktopFamily::Gnome;
    QTest::newRow("distribution name first") << QStringList{"XDG_CURRENT_DESKTOP=ubuntu:GNOME"} << DesktopFamily::Gnome;
    QTest::newRow("GNOME classic") << QStringList{"XDG_CURRENT_DESKTOP=GNOME-Classic:GNOME"} << DesktopFamily::Gnome;
    QTest::newRow("Unity") << QStringList{"XDG_CURRENT_DESKTOP=Unity:Unity7:ubuntu"} << DesktopFamily::Gnome;
    QTest::newRow("Budgie") << QStringList{"XDG_CURRENT_DESKTOP=Budgie:GNOME"} << DesktopFamily::Gnome;
    QTest::newRow("Cinnamon") << QStringList{"XDG_CURRENT_DESKTOP=X-Cinnamon"} << DesktopFamily::Cinnamon;
    QTest::newRow("MATE") << QStringList{"XDG_CURRENT_DESKTOP=MATE"} << DesktopFamily::Mate;
    QTest::newRow("KDE") << QStringList{"XDG_CURRENT_DESKTOP=KDE"} << DesktopFamily::Plasma;
    QTest::newRow("XFCE") << QStringList{"XDG_CURRENT_DESKTOP=XFCE"} << DesktopFamily::Xfce;
    QTest::newRow("LXQt") << QStringList{"XDG_CURRENT_DESKTOP=LXQt"} << DesktopFamily::Lxqt;
    QTest::newRow("sway") << QStringList{"XDG_CURRENT_DESKTOP=sway"} << DesktopFamily::Sway;
    QTest::newRow("session name only") << QStringList{"DESKTOP_SESSION=plasmawayland"} << DesktopFamily::Plasma;
    QTest::newRow("Xubuntu session") << QStringList{"DESKTOP_SESSION=xubuntu"} << DesktopFamily::Xfce;
    QTest::newRow("current desktop wins over session")
        << QStringList{"XDG_CURRENT_DESKTOP=MATE", "DESKTOP_SESSION=gnome"} << DesktopFamily::Mate;
    QTest::newRow("unknown desktop, session known")
        << QStringList{"XDG_CURRENT_DESKTOP=Pantheon", "DESKTOP_SESSION=gnome"} << DesktopFamily::Gnome;
    QTest::newRow("sway socket, no names")
        << QStringList{"SWAYSOCK=/run/user/1000/sway-ipc.sock", "DISPLAY=:0"} << DesktopFamily::Sway;
    QTest::newRow("bare X11") << QStringList{"XDG_CURRENT_DESKTOP=i3", "DISPLAY=:0"} << DesktopFamily::OtherX11;
    QTest::newRow("Wayland, XWayland display")
        << QStringList{"XDG_CURRENT_DESKTOP=Hyprland", "WAYLAND_DISPLAY=wayland-1", "DISPLAY=:0"}
        << DesktopFamily::OtherWayland;
    QTest::newRow("Wayland session type")
        << QStringList{"XDG_SESSION_TYPE=wayland", "DISPLAY=:0"} << DesktopFamily::OtherWayland;
    QTest::newRow("empty display") << QStringList{"DISPLAY="} << DesktopFamily::Unknown;
    QTest::newRow("nothing") << QStringList{} << DesktopFamily::Unknown;
}

void TestDesktopSession::detectsTheFamily()
{
    QFETCH(QStringList, variables);
    QFETCH(DesktopFamily, family);
    QProcessEnvironment environment;
    for (const QString &variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QCOMPARE(detectDesktop(environment), family);
}

QTEST_GUILESS_MAIN(TestDesktopSession)
#include "tst_desktopsession.moc"
