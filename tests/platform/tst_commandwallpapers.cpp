#include "platform/linux/commandwallpapers.h"
#include "platform/linux/linuxdesktopwallpaper.h"
#include "platform/linux/plasmawallpaper.h"
#include "platform/linux/xfcewallpaper.h"
#include "recordingrunner.h"
#include "wallpaperfailure.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(CommandResult)

namespace {

const QString mixPath = QStringLiteral("/home/用户/Paxelo/source/DeskTopBG/Mix.bmp");

QProcessEnvironment environmentOf(const QString &currentDesktop)
{
    QProcessEnvironment environment;
    environment.insert("XDG_CURRENT_DESKTOP", currentDesktop);
    return environment;
}

const QByteArray xfceList = "/backdrop/screen0/monitor0/workspace0/last-image\n"
                            "/backdrop/screen0/monitor0/workspace0/image-style\n"
                            "/backdrop/screen0/monitoreDP-1/workspace1/last-image\n"
                            "/backdrop/screen0/monitoreDP-1/workspace1/color-style\n"
                            "/desktop-icons/style\n";

// A PATH whose only program is a feh that does nothing.
struct PathWithFeh {
    QTemporaryDir dir;
    PathWithFeh()
    {
        QFile feh(dir.filePath("feh"));
        feh.open(QIODevice::WriteOnly);
        feh.write("#!/bin/sh\n");
        feh.setPermissions(QFile::ExeOwner | QFile::ReadOwner);
    }
};

} // namespace

class TestCommandWallpapers : public QObject {
    Q_OBJECT
private slots:
    void commandDesktops_data();
    void commandDesktops();
    void plasmaClearsThenSetsEveryDesktop();
    void plasmaScriptQuotesThePath();
    void xfceSetsEveryMonitorAndWorkspace();
    void xfceWithoutAnyPictureSettingFails();
    void failuresStopAndCarryTheCommandsWords_data();
    void failuresStopAndCarryTheCommandsWords();
    void unsupportedSessionsFailSayingWhy_data();
    void unsupportedSessionsFailSayingWhy();
};

void TestCommandWallpapers::commandDesktops_data()
{
    QTest::addColumn<QString>("currentDesktop");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<QStringList>>("calls");

    const QString respelt = "/home/用户/Paxelo/source/DeskTopBG/./Mix.bmp";
    QTest::newRow("LXQt, another spelling first")
        << "LXQt" << mixPath
        << QList<QStringList>{{"pcmanfm-qt", "--set-wallpaper", respelt, "--wallpaper-mode", "stretch"},
                              {"pcmanfm-qt", "--set-wallpaper", mixPath, "--wallpaper-mode", "stretch"}};
    QTest::newRow("sway") << "sway" << mixPath
                          << QList<QStringList>{{"swaymsg", "output", "*", "bg", '"' + mixPath + '"', "stretch"}};
    QTest::newRow("sway, blank and quote in the path")
        << "sway" << R"(/opt/My "Apps"/Mix.bmp)"
        << QList<QStringList>{{"swaymsg", "output", "*", "bg", R"("/opt/My \"Apps\"/Mix.bmp")", "stretch"}};
    QTest::newRow("other X11") << "" << mixPath << QList<QStringList>{{"feh", "--bg-scale", mixPath}};
}

void TestCommandWallpapers::commandDesktops()
{
    QFETCH(QString, currentDesktop);
    QFETCH(QString, path);
    QFETCH(QList<QStringList>, calls);
    QProcessEnvironment environment = environmentOf(currentDesktop);
    environment.insert("DISPLAY", ":0");
    const PathWithFeh feh;
    environment.insert("PATH", "/nonexistent:" + feh.dir.path());
    auto runner = std::make_shared<RecordingRunner>();
    createLinuxDesktopWallpaper(environment, runner)->setWallpaper(path);
    QCOMPARE(runner->calls, calls);
}

void TestCommandWallpapers::plasmaClearsThenSetsEveryDesktop()
{
    auto runner = std::make_shared<RecordingRunner>();
    createLinuxDesktopWallpaper(environmentOf("KDE"), runner)->setWallpaper(mixPath);
    const QStringList dbusCall{"dbus-send", "--session", "--dest=org.kde.plasmashell", "--type=method_call",
                               "--print-reply", "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript"};
    const QString uri = "file:///home/%E7%94%A8%E6%88%B7/Paxelo/source/DeskTopBG/Mix.bmp";
    QCOMPARE(runner->calls, (QList<QStringList>{dbusCall + QStringList{"string:" + PlasmaWallpaper::script("")},
                                                dbusCall + QStringList{"string:" + PlasmaWallpaper::script(uri)}}));
    const QString script = runner->calls.last().last();
    QVERIFY(script.contains("desktops()"));
    QVERIFY(script.contains("wallpaperPlugin = 'org.kde.image'"));
    QVERIFY(script.contains("writeConfig('Image', '" + uri + "')"));
    QVERIFY(script.contains("writeConfig('FillMode', 0)"));
}

void TestCommandWallpapers::plasmaScriptQuotesThePath()
{
    QVERIFY(PlasmaWallpaper::script(R"(file:///a'b\c)").contains(R"(writeConfig('Image', 'file:///a\'b\\c'))"));
}

void TestCommandWallpapers::xfceSetsEveryMonitorAndWorkspace()
{
    auto runner = std::make_shared<RecordingRunner>([](const QStringList &call) {
        return RecordingRunner::succeeded(call.contains("-l") ? xfceList : QByteArray());
    });
    createLinuxDesktopWallpaper(environmentOf("XFCE"), runner)->setWallpaper(mixPath);

    const QStringList query{"xfconf-query", "-c", "xfce4-desktop"};
    QList<QStringList> expected{query + QStringList{"-l"}};
    for (const QString base : {"/backdrop/screen0/monitor0/workspace0/", "/backdrop/screen0/monitoreDP-1/workspace1/"}) {
        expected << query + QStringList{"-p", base + "image-style", "--create", "--type", "int", "-s", "3"}
                 << query + QStringList{"-p", base + "last-image", "-s", ""}
                 << query + QStringList{"-p", base + "last-image", "-s", mixPath};
    }
    QCOMPARE(runner->calls, expected);
}

void TestCommandWallpapers::xfceWithoutAnyPictureSettingFails()
{
    auto runner = std::make_shared<RecordingRunner>(
        [](const QStringList &) { return RecordingRunner::succeeded("/desktop-icons/style\n"); });
    QVERIFY(wallpaperFailure([&] { XfceWallpaper(runner).setWallpaper(mixPath); }).contains("last-image"));
    QCOMPARE(runner->calls.size(), 1);
}

void TestCommandWallpapers::failuresStopAndCarryTheCommandsWords_data()
{
    QTest::addColumn<QString>("currentDesktop");
    QTest::addColumn<CommandResult>("result");
    QTest::addColumn<QString>("expected");

    const CommandResult missing{false, false, -1, {}, "No such file or directory"};
    const CommandResult refused{true, false, 1, {}, "Property does not exist"};
    const CommandResult crashed{true, true, 0, {}, "Segmentation fault"};
    QTest::newRow("LXQt tool missing") << "LXQt" << missing << "pcmanfm-qt";
    QTest::newRow("sway refuses") << "sway" << refused << "Property does not exist";
    QTest::newRow("Plasma shell not running")
        << "KDE" << CommandResult{true, false, 1, {}, "org.freedesktop.DBus.Error.ServiceUnknown"}
        << "ServiceUnknown";
    QTest::newRow("xfconf crashes") << "XFCE" << crashed << "Segmentation fault";
}

void TestCommandWallpapers::failuresStopAndCarryTheCommandsWords()
{
    QFETCH(QString, currentDesktop);
    QFETCH(CommandResult, result);
    QFETCH(QString, expected);
    auto runner = std::make_shared<RecordingRunner>([&](const QStringList &) { return result; });
    const QString message = wallpaperFailure(
        [&] { createLinuxDesktopWallpaper(environmentOf(currentDesktop), runner)->setWallpaper(mixPath); });
    QVERIFY2(message.contains(expected), qPrintable(message));
    QCOMPARE(runner->calls.size(), 1);
}

void TestCommandWallpapers::unsupportedSessionsFailSayingWhy_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unidentified") << QStringList{"XDG_CURRENT_DESKTOP=Hyprland"} << "XDG_CURRENT_DESKTOP=Hyprland";
    QTest::newRow("unknown Wayland desktop with XWayland")
        << QStringList{"XDG_CURRENT_DESKTOP=Hyprland", "WAYLAND_DISPLAY=wayland-1", "DISPLAY=:0", "PATH=feh"}
        << "Wayland";
    QTest::newRow("X11 without feh") << QStringList{"XDG_CURRENT_DESKTOP=i3", "DISPLAY=:0", "PATH=/nonexistent"}
                                     << "没有安装 feh";
}

void TestCommandWallpapers::unsupportedSessionsFailSayingWhy()
{
    QFETCH(QStringList, variables);
    QFETCH(QString, expected);
    const PathWithFeh feh;
    QProcessEnvironment environment;
    for (const QString &variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1).replace("feh", feh.dir.path()));
    auto runner = std::make_shared<RecordingRunner>();
    auto wallpaper = createLinuxDesktopWallpaper(environment, runner);
    const QString message = wallpaperFailure([&] { wallpaper->setWallpaper(mixPath); });
    QVERIFY2(message.contains(expected), qPrintable(message));
    QVERIFY(runner->calls.isEmpty());
}

QTEST_GUILESS_MAIN(TestCommandWallpapers)
#include "tst_commandwallpapers.moc"
