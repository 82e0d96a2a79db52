#pragma once

#include <QString>

// Holds the composer's folder and paths and the wallpaper step; never shown.
class TDeskBGSetFrm {
public:
    TDeskBGSetFrm();

    QString BGFolder;
    QString BgPicPath;
    QString ContentPicPath;
};
