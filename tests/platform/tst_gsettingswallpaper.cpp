#include "platform/linux/gsettingswallpaper.h"
#include "wallpaperfailure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gio/gio.h>

Q_DECLARE_METATYPE(GSettingsLayout)

namespace {

QString readKey(const char *schema, const char *key)
{
    GSettings *settings = g_settings_new(schema);
    gchar *value = g_settings_get_string(settings, key);
    const QString text = QString::fromUtf8(value);
    g_free(value);
    g_object_unref(settings);
    return text;
}

bool haveSchema(const QByteArray &id)
{
    GSettingsSchema *schema = g_settings_schema_source_lookup(g_settings_schema_source_get_default(), id, TRUE);
    if (schema)
        g_settings_schema_unref(schema);
    return schema;
}

void recordPictureUri(GSettings *settings, const gchar *key, gpointer values)
{
    if (qstrcmp(key, "picture-uri") != 0)
        return;
    gchar *value = g_settings_get_string(settings, key);
    static_cast<QStringList *>(values)->append(QString::fromUtf8(value));
    g_free(value);
}

} // namespace

// Real GSettings with the keyfile backend in a temporary configuration
// folder, with the schemas installed on this machine.
class TestGSettingsWallpaper : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void setsThePictureStretchedAndKeepsIt_data();
    void setsThePictureStretchedAndKeepsIt();
    void theSamePathAgainChangesTheSetting();
    void refusesWhatTheSchemaLacks_data();
    void refusesWhatTheSchemaLacks();
    void theUsersOwnPictureComesBack_data();
    void theUsersOwnPictureComesBack();

private:
    QTemporaryDir m_config;
    QString m_picture;
};

void TestGSettingsWallpaper::initTestCase()
{
    QVERIFY(m_config.isValid());
    // Before the first use of GSettings: both are read once per process.
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    QVERIFY(QDir(m_config.path()).mkpath("壁纸"));
    m_picture = m_config.filePath("壁纸/Mix.bmp");
}

void TestGSettingsWallpaper::setsThePictureStretchedAndKeepsIt_data()
{
    QTest::addColumn<GSettingsLayout>("layout");
    QTest::addColumn<QStringList>("pictureKeys");
    QTest::addColumn<bool>("asUri");

    QTest::newRow("GNOME") << GSettingsLayout::gnome() << QStringList{"picture-uri", "picture-uri-dark"} << true;
    QTest::newRow("Cinnamon, no dark picture") << GSettingsLayout::cinnamon() << QStringList{"picture-uri"} << true;
    QTest::newRow("MATE, a plain path") << GSettingsLayout::mate() << QStringList{"picture-filename"} << false;
}

void TestGSettingsWallpaper::setsThePictureStretchedAndKeepsIt()
{
    QFETCH(GSettingsLayout, layout);
    QFETCH(QStringList, pictureKeys);
    QFETCH(bool, asUri);
    if (!haveSchema(layout.schema))
        QSKIP(qPrintable("schema not installed: " + layout.schema + " (make deps installs it)"));

    GSettingsWallpaper(layout).setWallpaper(m_picture);

    const QString expected = asUri ? "file://" + QString::fromLatin1(QUrl::toPercentEncoding(m_picture, "/")) : m_picture;
    for (const QString &key : pictureKeys)
        QCOMPARE(readKey(layout.schema, key.toLatin1()), expected);
    QCOMPARE(readKey(layout.schema, "picture-options"), QString("stretched"));

    // Kept on disk, so it outlives the program.
    QFile keyfile(m_config.filePath("glib-2.0/settings/keyfile"));
    QVERIFY(keyfile.open(QIODevice::ReadOnly));
    const QString stored = QString::fromUtf8(keyfile.readAll());
    QVERIFY(stored.contains("picture-options='stretched'"));
    QVERIFY(stored.contains(pictureKeys.first() + "='" + expected + "'"));
}

void TestGSettingsWallpaper::theSamePathAgainChangesTheSetting()
{
    GSettings *watcher = g_settings_new("org.gnome.desktop.background");
    QStringList seen;
    g_signal_connect(watcher, "changed", G_CALLBACK(recordPictureUri), &seen);
    GSettingsWallpaper gnome(GSettingsLayout::gnome());
    gnome.setWallpaper(m_picture);
    seen.clear();
    gnome.setWallpaper(m_picture);
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    g_object_unref(watcher);

    const QString uri = readKey("org.gnome.desktop.background", "picture-uri");
    QCOMPARE(seen, (QStringList{QString(), uri}));
}

void TestGSettingsWallpaper::refusesWhatTheSchemaLacks_data()
{
    QTest::addColumn<GSettingsLayout>("layout");
    QTest::addColumn<QString>("named");

    QTest::newRow("schema not installed")
        << GSettingsLayout{"org.example.NoSuchDesktop", {"picture-uri"}, true} << "org.example.NoSuchDesktop";
    QTest::newRow("picture key missing")
        << GSettingsLayout{"org.gnome.desktop.background", {"picture-path"}, true} << "picture-path";
    QTest::newRow("no options key")
        << GSettingsLayout{"org.gnome.desktop.interface", {"gtk-theme"}, true} << "picture-options";
}

void TestGSettingsWallpaper::refusesWhatTheSchemaLacks()
{
    QFETCH(GSettingsLayout, layout);
    QFETCH(QString, named);
    const QString message = wallpaperFailure([&] { GSettingsWallpaper(layout).setWallpaper(m_picture); });
    QVERIFY2(message.contains(named), qPrintable(message));
}

void TestGSettingsWallpaper::theUsersOwnPictureComesBack_data()
{
    setsThePictureStretchedAndKeepsIt_data();
}

void TestGSettingsWallpaper::theUsersOwnPictureComesBack()
{
    QFETCH(GSettingsLayout, layout);
    QFETCH(QStringList, pictureKeys);
    if (!haveSchema(layout.schema))
        QSKIP(qPrintable("schema not installed: " + layout.schema + " (make deps installs it)"));
    GSettings *settings = g_settings_new(layout.schema.constData());
    for (const QString &key : pictureKeys)
        g_settings_set_string(settings, key.toLatin1().constData(), "file:///home/u/%E6%B5%B7%20'1'.jpg");
    g_settings_set_string(settings, "picture-options", "zoom");
    g_settings_sync();
    g_object_unref(settings);

    GSettingsWallpaper desktop(layout);
    const QStringList kept = desktop.currentSetting();
    desktop.setWallpaper(m_picture);
    desktop.restoreSetting(kept);
    for (const QString &key : pictureKeys)
        QCOMPARE(readKey(layout.schema, key.toLatin1()), QString("file:///home/u/%E6%B5%B7%20'1'.jpg"));
    QCOMPARE(readKey(layout.schema, "picture-options"), QString("zoom"));
}

QTEST_GUILESS_MAIN(TestGSettingsWallpaper)
#include "tst_gsettingswallpaper.moc"
