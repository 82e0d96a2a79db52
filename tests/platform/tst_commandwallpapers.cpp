#include "platform/linux/commandwallpapers.h"
#include "platform/linux/linuxdesktopwallpaper.h"
#include "platform/linux/plasmawallpaper.h"
#include "platform/linux/xfcewallpaper.h"
#include "recordingrunner.h"
#include "wallpaperfailure.h"

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

} // namespace

class TestCommandWallpapers : public QObject {
    Q_OBJECT
private slots:
    void singleCommandDesktops_data();
    void singleCommandDesktops();
    void plasmaClearsThenSetsEveryDesktop();
    void plasmaScriptQuotesThePath();
    void xfceSetsEveryMonitorAndWorkspace();
    void xfceWithoutAnyPictureSettingFails();
    void failuresStopAndCarryTheCommandsWords_data();
    void failuresStopAndCarryTheCommandsWords();
    void unidentifiedDesktopFailsNamingTheSession();
};

void TestCommandWallpapers::singleCommandDesktops_data()
{
    QTest::addColumn<QString>("currentDesktop");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("call");

    QTest::newRow("LXQt") << "LXQt" << mixPath
                          << QStringList{"pcmanfm-qt", "--set-wallpaper", mixPath, "--wallpaper-mode", "stretch"};
    QTest::newRow("sway") << "sway" << mixPath
                          << QStringList{"swaymsg", "output", "*", "bg", '"' + mixPath + '"', "stretch"};
    QTest::newRow("sway, blank and quote in the path")
        << "sway" << R"(/opt/My "Apps"/Mix.bmp)"
        << QStringList{"swaymsg", "output", "*", "bg", R"("/opt/My \"Apps\"/Mix.bmp")", "stretch"};
    QTest::newRow("other X11") << "" << mixPath << QStringList{"feh", "--bg-scale", mixPath};
}

void TestCommandWallpapers::singleCommandDesktops()
{
    QFETCH(QString, currentDesktop);
    QFETCH(QString, path);
    QFETCH(QStringList, call);
    QProcessEnvironment environment = environmentOf(currentDesktop);
    environment.insert("DISPLAY", ":0");
    auto runner = std::make_shared<RecordingRunner>();
    createLinuxDesktopWallpaper(environment, runner)->setWallpaper(path);
    QCOMPARE(runner->calls, QList<QStringList>{call});
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
        expected << query + QStringList{"-p", base + "image-style", "--create", "--type", "int", "-s", "2"}
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

void TestCommandWallpapers::unidentifiedDesktopFailsNamingTheSession()
{
    auto runner = std::make_shared<RecordingRunner>();
    auto wallpaper = createLinuxDesktopWallpaper(environmentOf("Hyprland"), runner);
    QVERIFY(wallpaperFailure([&] { wallpaper->setWallpaper(mixPath); }).contains("XDG_CURRENT_DESKTOP=Hyprland"));
    QVERIFY(runner->calls.isEmpty());
}

QTEST_GUILESS_MAIN(TestCommandWallpapers)
#include "tst_commandwallpapers.moc"
