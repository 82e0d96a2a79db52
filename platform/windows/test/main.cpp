// Runs the registry wallpaper code on Windows (or wine) and checks what it
// left in the registry. Prints one line per check and the totals; the exit
// code is the number of failed checks.
#include "platform/wallpapererror.h"
#include "platform/windows/registrywallpaper.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

int passed = 0;
int failed = 0;

void check(const char *name, bool ok)
{
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", name);
    ++(ok ? passed : failed);
}

std::wstring readString(const std::wstring &key, const wchar_t *name)
{
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

bool keyExists(const std::wstring &key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

bool throwsWallpaperError(const std::function<void()> &action)
{
    try {
        action();
    } catch (const WallpaperError &error) {
        std::printf("  (message: %s)\n", error.what());
        return true;
    }
    return false;
}

void writesBothValuesWithAChinesePath()
{
    const std::wstring path = L"C:\\Paxelo备忘录\\source\\DeskTopBG\\Mix.Bmp";
    RegistryWallpaper::apply(path);
    check("Wallpaper holds the path, Chinese characters intact",
          readString(RegistryWallpaper::desktopKey, L"Wallpaper") == path);
    check("WallpaperStyle is 2", readString(RegistryWallpaper::desktopKey, L"WallpaperStyle") == L"2");
}

void refusesAMissingKeyWithoutCreatingIt()
{
    const std::wstring missing = L"Control Panel\\PaxeloMissingDesktop";
    check("a missing key fails",
          throwsWallpaperError([&] { RegistryWallpaper::apply(L"C:\\x.bmp", missing); }));
    check("the missing key is not created", !keyExists(missing));
}

} // namespace

int main()
{
    writesBothValuesWithAChinesePath();
    refusesAMissingKeyWithoutCreatingIt();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed;
}
