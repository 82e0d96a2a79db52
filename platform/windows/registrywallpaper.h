#pragma once

#include <string>
#include <utility>
#include <vector>

// The wallpaper through the current user's desktop settings in the registry.
// Kept free of Qt so that it builds with the Windows cross compiler alone.
namespace RegistryWallpaper {

// The key of the current user that holds the desktop settings.
inline const std::wstring desktopKey = L"Control Panel\\Desktop";

// Opens the existing key (never creates it), writes "Wallpaper" = path and
// "WallpaperStyle" = "2" (stretched), closes the key, then has the desktop
// take up the values. Throws WallpaperError when the key cannot be opened or
// a value cannot be written; the desktop is then left alone.
void apply(const std::wstring &path, const std::wstring &key = desktopKey);

// The values that make up the user's own wallpaper; a value the key does not
// hold is left out.
struct Setting {
    std::vector<std::pair<std::wstring, std::wstring>> values;
};
inline const wchar_t *const settingNames[] = {L"Wallpaper", L"WallpaperStyle", L"TileWallpaper"};

// Reads "Wallpaper", "WallpaperStyle" and "TileWallpaper". Throws
// WallpaperError when the key cannot be opened.
Setting read(const std::wstring &key = desktopKey);

// Writes the values of `setting` back (only the three names above) and has
// the desktop take them up. Throws like apply().
void restore(const Setting &setting, const std::wstring &key = desktopKey);

} // namespace RegistryWallpaper
