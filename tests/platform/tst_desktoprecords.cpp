#include "files/linelist.h"
#include "platform/linux/autostartentry.h"
#include "platform/linux/fehwallpaper.h"
#include "platform/linux/linuxdesktopwallpaper.h"
#include "platform/linux/lxqtwallpaper.h"
#include "platform/linux/plasmawallpaper.h"
#include "platform/linux/xfcewallpaper.h"
#include "recordingrunner.h"
#include "wallpaper/originalwallpaper.h"
#include "wallpaperfailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// xfconf-query over a channel held in a map: -l lists, -p reads, -p -s
// writes (--create for a new property); reading a missing property fails.
class FakeXfconf {
public:
    QMap<QString, QString> properties;

    CommandResult answer(const QStringList &call)
    {
        if (call.contains("-l")) {
            QByteArray list;
            for (const QString &name : properties.keys())
                list += name.toUtf8() + '\n';
            return RecordingRunner::succeeded(list);
        }
        const QString property = call.at(call.indexOf("-p") + 1);
        const qsizetype set = call.indexOf("-s");
        if (set >= 0) {
            if (!properties.contains(property) && !call.contains("--create"))
                return {true, false, 1, {}, "Property does not exist"};
            properties[property] = call.at(set + 1);
            return RecordingRunner::succeeded();
        }
        if (!properties.contains(property))
            return {true, false, 1, {}, "Property does not exist"};
        return RecordingRunner::succeeded(properties.value(property).toUtf8() + '\n');
    }
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A desktop whose setting is a list of lines the test holds.
class KeptDesktop : public DesktopWallpaper {
public:
    QStringList setting;
    QStringList restored;
    void setWallpaper(const QString &path) override { setting = {"picture=" + path}; }
    QString desktopName() const override { return "test"; }
    QStringList currentSetting() override { return setting; }
    void restoreSetting(const QStringList &lines) override
    {
        restored = lines;
        setting = lines;
    }
};

} // namespace

class TestDesktopRecords : public QObject {
    Q_OBJECT
private slots:
    void xfceKeepsEveryMonitorAndGivesItBack();
    void lxqtReadsTheProfileAndSetsPictureAndMode();
    void fehWritesItsScriptBackAndRunsIt();
    void plasmaReadsWhatTheShellPrinted();
    void theUsersWallpaperIsKeptOnceAndGivenBack();
    void autostartEntryIsValidForAnAwkwardPath();
    void autostartFollowsXdgConfigHome();
};

void TestDesktopRecords::xfceKeepsEveryMonitorAndGivesItBack()
{
    auto xfconf = std::make_shared<FakeXfconf>();
    const QString m0 = "/backdrop/screen0/monitor0/workspace0/";
    const QString m1 = "/backdrop/screen0/monitoreDP-1/workspace0/";
    xfconf->properties = {{m0 + "last-image", "/usr/share/backgrounds/xfce/日落 1.png"},
                          {m0 + "image-style", "5"},
                          {m1 + "last-image", "/home/u/sea.jpg"},
                          {"/desktop-icons/style", "0"}};
    const QMap<QString, QString> before = xfconf->properties;
    auto runner = std::make_shared<RecordingRunner>([xfconf](const QStringList &call) { return xfconf->answer(call); });
    XfceWallpaper xfce(runner);

    const QStringList setting = xfce.currentSetting();
    xfce.setWallpaper("/tmp/Mix.bmp");
    QCOMPARE(xfconf->properties.value(m1 + "image-style"), QString("3"));
    xfce.restoreSetting(setting);

    // The monitor that had no style of its own keeps the one the apply gave.
    QMap<QString, QString> expected = before;
    expected[m1 + "image-style"] = "3";
    QCOMPARE(xfconf->properties, expected);
    // The desktop reloads only on a change: the picture is cleared first.
    const qsizetype last = runner->calls.size();
    QCOMPARE(runner->calls.at(last - 2).last(), QString());
}

void TestDesktopRecords::lxqtReadsTheProfileAndSetsPictureAndMode()
{
    QTemporaryDir config;
    auto runner = std::make_shared<RecordingRunner>();
    LxqtWallpaper lxqt(runner, config.path());
    QVERIFY(lxqt.currentSetting().isEmpty());

    // The session's profile wins over the default one; other groups have a
    // Wallpaper key too.
    writeFile(config.filePath("pcmanfm-qt/default/settings.conf"), "[Desktop]\nWallpaper=/wrong.png\n");
    writeFile(config.filePath("pcmanfm-qt/lxqt/settings.conf"),
              "[Behavior]\nWallpaper=/not/this.png\n\n[Desktop]\nBgColor=#000000\nWallpaperMode=center\n"
              "Wallpaper=/home/u/图片/山 2.jpg\n\n[Thumbnail]\nMaxThumbnailFileSize=4096\n");
    const QStringList setting = lxqt.currentSetting();
    lxqt.restoreSetting(setting);
    QCOMPARE(runner->calls, (QList<QStringList>{{"pcmanfm-qt", "--set-wallpaper", "/home/u/图片/山 2.jpg",
                                                 "--wallpaper-mode", "center"}}));
}

void TestDesktopRecords::fehWritesItsScriptBackAndRunsIt()
{
    QTemporaryDir home;
    auto runner = std::make_shared<RecordingRunner>();
    FehWallpaper feh(runner, home.path());
    QVERIFY(feh.currentSetting().isEmpty());

    const QByteArray own = "#!/bin/sh\nfeh --no-fehbg --bg-center '/home/u/猫.png' \n";
    writeFile(home.filePath(".fehbg"), own);
    const QStringList setting = feh.currentSetting();
    writeFile(home.filePath(".fehbg"), "#!/bin/sh\nfeh --no-fehbg --bg-scale '/tmp/Mix.bmp' \n");
    feh.restoreSetting(setting);

    QFile script(home.filePath(".fehbg"));
    QVERIFY(script.open(QIODevice::ReadOnly));
    QCOMPARE(script.readAll(), own);
    QCOMPARE(runner->calls, (QList<QStringList>{{"/bin/sh", home.filePath(".fehbg")}}));
}

void TestDesktopRecords::plasmaReadsWhatTheShellPrinted()
{
    const QByteArray reply = "method return time=1.2 sender=:1.5 -> destination=:1.9 serial=42 reply_serial=2\n"
                             "   string \"Plugin=org.kde.image\nImage=file:///home/u/%E6%B5%B7.jpg\nFillMode=1\n\"\n";
    auto runner = std::make_shared<RecordingRunner>([reply](const QStringList &call) {
        return call.last().contains("readConfig") ? RecordingRunner::succeeded(reply) : RecordingRunner::succeeded();
    });
    PlasmaWallpaper plasma(runner);
    const QStringList setting = plasma.currentSetting();
    QCOMPARE(setting, (QStringList{"Plugin=org.kde.image", "Image=file:///home/u/%E6%B5%B7.jpg", "FillMode=1"}));
    plasma.restoreSetting(setting);
    const QString script = runner->calls.last().last();
    QVERIFY(script.contains("writeConfig('Image', 'file:///home/u/%E6%B5%B7.jpg')"));
    QVERIFY(script.contains("writeConfig('FillMode', 1)"));
}

void TestDesktopRecords::theUsersWallpaperIsKeptOnceAndGivenBack()
{
    QTemporaryDir data;
    OriginalWallpaper original(data.path() + "/");
    KeptDesktop desktop;
    QVERIFY(!original.restore(desktop));

    // A desktop that still shows the program's picture has nothing of the
    // user's to keep.
    desktop.setting = {"picture=/app/source/DeskTopBG/Mix.bmp"};
    original.recordBefore(desktop, "/app/source/DeskTopBG/Mix.bmp");
    QVERIFY(!QFile::exists(original.recordPath(desktop)));

    desktop.setting = {"picture=/home/u/海边 1.jpg", "mode=zoom"};
    original.recordBefore(desktop, "/app/source/DeskTopBG/Mix.bmp");
    desktop.setWallpaper("/app/source/DeskTopBG/Mix.bmp");
    original.recordBefore(desktop, "/app/source/DeskTopBG/Mix.bmp");
    desktop.setting = {"picture=/elsewhere.png"};
    original.recordBefore(desktop, "/app/source/DeskTopBG/Mix.bmp");
    QCOMPARE(original.recordPath(desktop), data.filePath("OriginalWallpaper-test.ini"));
    QCOMPARE(LineList::read(original.recordPath(desktop)), (QStringList{"picture=/home/u/海边 1.jpg", "mode=zoom"}));

    QVERIFY(original.restore(desktop));
    QCOMPARE(desktop.restored, (QStringList{"picture=/home/u/海边 1.jpg", "mode=zoom"}));
}

void TestDesktopRecords::autostartEntryIsValidForAnAwkwardPath()
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed (make deps installs desktop-file-utils)");
    QTemporaryDir folder;
    AutostartEntry entry(folder.filePath("autostart"));
    const QString program = "/opt/Paxelo 备忘录/it's \"$HOME\" `x` 100%\\bin/paxelo-memo";
    entry.enable(program);

    QProcess validate;
    validate.start(validator, {entry.path()});
    QVERIFY(validate.waitForFinished(20000));
    QVERIFY2(validate.exitCode() == 0, validate.readAllStandardOutput().constData());
    QFile file(entry.path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains("Exec=\"/opt/Paxelo 备忘录/it's \\\\\"\\\\$HOME\\\\\" \\\\`x\\\\` 100%%\\\\\\\\bin/paxelo-memo\"\n"));
    QVERIFY(text.startsWith("[Desktop Entry]\nType=Application\n"));

    entry.disable();
    QVERIFY(!QFile::exists(entry.path()));
    entry.disable();
    bool refused = false;
    try {
        AutostartEntry::contents("/opt/a\nb");
    } catch (const LoginStartError &) {
        refused = true;
    }
    QVERIFY(refused);
}

void TestDesktopRecords::autostartFollowsXdgConfigHome()
{
    QProcessEnvironment environment;
    environment.insert("HOME", "/home/u");
    QCOMPARE(AutostartEntry::autostartFolder(environment), QString("/home/u/.config/autostart"));
    environment.insert("XDG_CONFIG_HOME", "relative/config");
    QCOMPARE(AutostartEntry::autostartFolder(environment), QString("/home/u/.config/autostart"));
    environment.insert("XDG_CONFIG_HOME", "/srv/配置");
    QCOMPARE(AutostartEntry::autostartFolder(environment), QString("/srv/配置/autostart"));
}

QTEST_GUILESS_MAIN(TestDesktopRecords)
#include "tst_desktoprecords.moc"
