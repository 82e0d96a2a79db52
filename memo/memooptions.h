#pragma once

#include <QString>

// The on/off choices of the settings menu, kept in Data/Options.ini, a list
// of lines: line 1 登录时启动, line 2 自动更新桌面, each "1" for on. A missing
// file, a missing line or any other text is off, so a program without the
// file behaves as one that never had these choices.
struct MemoOptions {
    bool startAtLogin = false;
    bool updateDesktop = false;

    // Throws FileError when the file exists but cannot be read.
    static MemoOptions read(const QString &path);
    // Throws FileError.
    void write(const QString &path) const;

    // Data/Options.ini of the application folder.
    static QString path();
};
