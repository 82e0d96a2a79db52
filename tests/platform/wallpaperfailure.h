#pragma once

#include "platform/wallpapererror.h"

#include <QString>

// The message of the WallpaperError that the action throws, or a null
// string when it throws none.
template <typename Action>
QString wallpaperFailure(Action action)
{
    try {
        action();
    } catch (const WallpaperError &error) {
        return QString::fromStdString(error.what());
    }
    return QString();
}
