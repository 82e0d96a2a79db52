#pragma once

#include "platform/desktopwallpaper.h"

#include <QByteArray>
#include <QList>

// Where a desktop that keeps its background in GSettings wants the picture.
struct GSettingsLayout {
    QByteArray schema;
    // Set where the installed schema has them; the schema must have the
    // first one.
    QList<QByteArray> pictureKeys;
    bool pictureAsUri = true; // a file:// URI, or else a plain path

    static GSettingsLayout gnome();    // also Unity and Budgie
    static GSettingsLayout cinnamon();
    static GSettingsLayout mate();
};

// Sets the picture and the 'stretched' option through GSettings' default
// backend, then reads both back: a backend that cannot write (dconf without
// a session bus) drops the change without a word, which must not pass as
// success.
class GSettingsWallpaper : public DesktopWallpaper {
public:
    explicit GSettingsWallpaper(GSettingsLayout layout);
    void setWallpaper(const QString &path) override;

    // The picture keys the schema has and picture-options, as they are.
    QString desktopName() const override;
    QStringList currentSetting() override;
    void restoreSetting(const QStringList &setting) override;

private:
    GSettingsLayout m_layout;
};
