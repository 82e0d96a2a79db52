#pragma once

#include <stdexcept>

// A desktop wallpaper that could not be set. The message says why, in words
// fit for the user; the apply drops it silently, but it names the cause for
// anyone who catches it.
class WallpaperError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
