#pragma once

#include "platform/loginstart.h"

#include <QProcessEnvironment>

// The XDG autostart entry com.paxelo.memo.desktop in the user's autostart
// folder, which every desktop that follows the freedesktop.org rules runs at
// login.
class AutostartEntry : public LoginStart {
public:
    // The entry in `autostartFolder`.
    explicit AutostartEntry(QString autostartFolder);

    void enable(const QString &program) override;
    void disable() override;

    QString path() const;

    // The entry's text for `program`: its Exec line quoted as the desktop
    // entry rules ask, so blanks, quotes and Chinese in the path survive.
    // Throws LoginStartError for a path no Exec line can hold.
    static QByteArray contents(const QString &program);

    // The autostart folder in the user's configuration folder.
    static QString autostartFolder(const QProcessEnvironment &environment);

private:
    QString m_folder;
};
