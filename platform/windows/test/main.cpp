// Runs the registry wallpaper code on Windows (or wine) and checks what it
// left in the registry. Prints one line per check and the totals; the exit
// code is the number of failed checks.
#include "platform/wallpapererror.h"
#include "platform/loginstarterror.h"
#include "platform/windows/registryrunvalue.h"
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

void theUsersOwnWallpaperComesBack()
{
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, RegistryWallpaper::desktopKey.c_str(), 0, KEY_SET_VALUE, &key);
    const std::wstring own = L"C:\\Users\\小明\\Pictures\\海边.jpg";
    RegSetValueExW(key, L"Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE *>(own.c_str()),
                   static_cast<DWORD>((own.size() + 1) * sizeof(wchar_t)));
    RegSetValueExW(key, L"WallpaperStyle", 0, REG_SZ, reinterpret_cast<const BYTE *>(L"10"), 3 * sizeof(wchar_t));
    RegSetValueExW(key, L"TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE *>(L"1"), 2 * sizeof(wchar_t));
    RegCloseKey(key);

    const RegistryWallpaper::Setting kept = RegistryWallpaper::read();
    check("all three values are read", kept.values.size() == 3);
    RegistryWallpaper::apply(L"C:\\Paxelo\\Mix.Bmp");
    RegistryWallpaper::restore(kept);
    check("Wallpaper is the user's own again", readString(RegistryWallpaper::desktopKey, L"Wallpaper") == own);
    check("WallpaperStyle is the user's own again", readString(RegistryWallpaper::desktopKey, L"WallpaperStyle") == L"10");
    check("TileWallpaper is the user's own again", readString(RegistryWallpaper::desktopKey, L"TileWallpaper") == L"1");
    // The registry check after the run expects the program's wallpaper.
    RegistryWallpaper::apply(L"C:\\Paxelo备忘录\\source\\DeskTopBG\\Mix.Bmp");
}

void runValueComesAndGoes()
{
    const std::wstring path = L"C:\\Program Files\\Paxelo备忘录\\paxelo-memo.exe";
    RegistryRunValue::set(RegistryRunValue::command(path));
    check("the Run value starts the program, its path quoted",
          readString(RegistryRunValue::runKey, RegistryRunValue::valueName.c_str()) == L"\"" + path + L"\"");
    RegistryRunValue::remove();
    check("the Run value is gone", readString(RegistryRunValue::runKey, RegistryRunValue::valueName.c_str()) == L"<missing>");
    bool again = true;
    try {
        RegistryRunValue::remove();
    } catch (const LoginStartError &) {
        again = false;
    }
    check("removing a missing Run value is no failure", again);
}

} // namespace

int main()
{
    writesBothValuesWithAChinesePath();
    refusesAMissingKeyWithoutCreatingIt();
    runValueComesAndGoes();
    theUsersOwnWallpaperComesBack();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed;
}
