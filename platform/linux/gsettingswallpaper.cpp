#include "platform/linux/gsettingswallpaper.h"

#include "platform/linux/pictureuri.h"
#include "platform/linux/settinglines.h"

#include <gio/gio.h>

#include <memory>
#include <utility>

namespace {

const char *const optionsKey = "picture-options";
const char *const stretched = "stretched";

struct SchemaUnref {
    void operator()(GSettingsSchema *schema) const { g_settings_schema_unref(schema); }
};
struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using SchemaPtr = std::unique_ptr<GSettingsSchema, SchemaUnref>;
using SettingsPtr = std::unique_ptr<GSettings, ObjectUnref>;

[[noreturn]] void fail(const QString &message)
{
    throw WallpaperError(message.toStdString());
}

// GSettings ends the process on an unknown schema or key, so both are looked
// up first.
SchemaPtr lookUpSchema(const QByteArray &id)
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    GSettingsSchema *schema = source ? g_settings_schema_source_lookup(source, id.constData(), TRUE) : nullptr;
    if (!schema)
        fail(QStringLiteral("没有安装 GSettings 架构 %1，无法设置桌面壁纸").arg(QString::fromLatin1(id)));
    return SchemaPtr(schema);
}

void requireKey(GSettingsSchema *schema, const QByteArray &id, const char *key)
{
    if (!g_settings_schema_has_key(schema, key))
        fail(QStringLiteral("GSettings 架构 %1 没有 %2 键").arg(QString::fromLatin1(id), QString::fromLatin1(key)));
}

QString readString(GSettings *settings, const char *key)
{
    gchar *value = g_settings_get_string(settings, key);
    const QString text = QString::fromUtf8(value);
    g_free(value);
    return text;
}

void writeString(GSettings *settings, const char *key, const QString &value)
{
    if (!g_settings_set_string(settings, key, value.toUtf8().constData()))
        fail(QStringLiteral("GSettings 键 %1 不可写").arg(QString::fromLatin1(key)));
}

// Reads the key back after the sync.
void verifyStored(GSettings *settings, const QByteArray &schema, const char *key, const QString &expected)
{
    if (readString(settings, key) != expected)
        fail(QStringLiteral("桌面设置没有保存（%1 %2 仍是旧值），可能没有可用的 D-Bus 会话")
                 .arg(QString::fromLatin1(schema), QString::fromLatin1(key)));
}

} // namespace

GSettingsLayout GSettingsLayout::gnome()
{
    // picture-uri-dark came with GNOME 42; older schemas do not have it.
    return {"org.gnome.desktop.background", {"picture-uri", "picture-uri-dark"}, true};
}

GSettingsLayout GSettingsLayout::cinnamon()
{
    return {"org.cinnamon.desktop.background", {"picture-uri"}, true};
}

GSettingsLayout GSettingsLayout::mate()
{
    return {"org.mate.background", {"picture-filename"}, false};
}

GSettingsWallpaper::GSettingsWallpaper(GSettingsLayout layout)
    : m_layout(std::move(layout))
{
}

void GSettingsWallpaper::setWallpaper(const QString &path)
{
    const SchemaPtr schema = lookUpSchema(m_layout.schema);
    requireKey(schema.get(), m_layout.schema, optionsKey);
    requireKey(schema.get(), m_layout.schema, m_layout.pictureKeys.constFirst().constData());
    QList<QByteArray> keys;
    for (const QByteArray &key : std::as_const(m_layout.pictureKeys)) {
        if (g_settings_schema_has_key(schema.get(), key.constData()))
            keys << key;
    }
    const QString picture = m_layout.pictureAsUri ? pictureUri(path) : path;
    const SettingsPtr settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    GSettings *s = settings.get();

    // Every apply names the same file, rewritten in place. A desktop that
    // keeps the picture of a file it shows would go on showing the old one
    // when the key names that file again; clearing the key first makes it let
    // go of the file and read it anew. The clearing is synced on its own so
    // that the backend cannot merge the two writes into one.
    bool cleared = false;
    for (const QByteArray &key : std::as_const(keys)) {
        if (readString(s, key.constData()) == picture) {
            writeString(s, key.constData(), QString());
            cleared = true;
        }
    }
    if (cleared)
        g_settings_sync();

    writeString(s, optionsKey, QString::fromLatin1(stretched));
    for (const QByteArray &key : std::as_const(keys))
        writeString(s, key.constData(), picture);
    g_settings_sync();

    for (const QByteArray &key : std::as_const(keys))
        verifyStored(s, m_layout.schema, key.constData(), picture);
    verifyStored(s, m_layout.schema, optionsKey, QString::fromLatin1(stretched));
}

QString GSettingsWallpaper::desktopName() const
{
    return QString::fromLatin1(m_layout.schema);
}

QStringList GSettingsWallpaper::currentSetting()
{
    const SchemaPtr schema = lookUpSchema(m_layout.schema);
    const SettingsPtr settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    QStringList setting;
    for (const QByteArray &key : m_layout.pictureKeys + QList<QByteArray>{optionsKey}) {
        if (g_settings_schema_has_key(schema.get(), key.constData()))
            setting << SettingLines::line(QString::fromLatin1(key), readString(settings.get(), key.constData()));
    }
    return setting;
}

void GSettingsWallpaper::restoreSetting(const QStringList &setting)
{
    const SchemaPtr schema = lookUpSchema(m_layout.schema);
    const SettingsPtr settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    // Only keys of this layout: the lines name keys, and a key the schema
    // lacks would end the process.
    QList<QPair<QByteArray, QString>> values;
    for (const auto &[name, value] : SettingLines::parse(setting)) {
        const QByteArray key = name.toLatin1();
        if ((m_layout.pictureKeys.contains(key) || key == optionsKey) && g_settings_schema_has_key(schema.get(), key.constData()))
            values.append({key, value});
    }
    for (const auto &[key, value] : std::as_const(values))
        writeString(settings.get(), key.constData(), value);
    g_settings_sync();
    for (const auto &[key, value] : std::as_const(values))
        verifyStored(settings.get(), m_layout.schema, key.constData(), value);
}
