#include "platform/linux/gsettingswallpaper.h"
#include "wallpaperfailure.h"

#include <QTemporaryDir>
#include <QTest>

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

// dconf with no session bus takes every write and then drops it, with
// nothing but a warning on the console.
class TestGSettingsReadBack : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aDroppedWriteIsAFailure();
};

void TestGSettingsReadBack::aDroppedWriteIsAFailure()
{
    QTemporaryDir config;
    qputenv("GSETTINGS_BACKEND", "dconf");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    if (qstrcmp(G_OBJECT_TYPE_NAME(g_settings_backend_get_default()), "DConfSettingsBackend") != 0)
        QSKIP("the dconf GSettings backend is not installed (make deps installs it)");

    const QString message = wallpaperFailure(
        [&] { GSettingsWallpaper(GSettingsLayout::gnome()).setWallpaper(config.filePath("Mix.bmp")); });
    QVERIFY2(message.contains("picture-uri"), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestGSettingsReadBack)
#include "tst_gsettingsreadback.moc"
