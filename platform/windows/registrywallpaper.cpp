#include "platform/windows/registrywallpaper.h"

#include "platform/wallpapererror.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

class OpenKey {
public:
    explicit OpenKey(const std::wstring &subKey, REGSAM access = KEY_SET_VALUE)
    {
        // Opening, not creating: a user without desktop settings has no
        // desktop to refresh either.
        const LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, access, &m_key);
        if (status != ERROR_SUCCESS)
            throw WallpaperError("无法打开注册表中的桌面设置（错误 " + std::to_string(status) + "）");
    }
    ~OpenKey() { RegCloseKey(m_key); }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

    void writeString(const wchar_t *name, const std::wstring &value)
    {
        // Written through the wide API: the 8-bit one would turn a Chinese
        // path into question marks on a system with another code page.
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        const LONG status = RegSetValueExW(m_key, name, 0, REG_SZ,
                                           reinterpret_cast<const BYTE *>(value.c_str()), bytes);
        if (status != ERROR_SUCCESS)
            throw WallpaperError("无法写入注册表中的桌面设置（错误 " + std::to_string(status) + "）");
    }

    // False when the key holds no string value of that name.
    bool readString(const wchar_t *name, std::wstring &value) const
    {
        DWORD bytes = 0;
        if (RegGetValueW(m_key, nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
            return false;
        std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegGetValueW(m_key, nullptr, name, RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) != ERROR_SUCCESS)
            return false;
        buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
        value = buffer;
        return true;
    }

private:
    HKEY m_key = nullptr;
};

} // namespace

namespace RegistryWallpaper {

void apply(const std::wstring &path, const std::wstring &key)
{
    {
        OpenKey desktop(key);
        desktop.writeString(L"Wallpaper", path);
        desktop.writeString(L"WallpaperStyle", L"2");
    }
    // With no file named here the desktop reads "Wallpaper" back from the
    // registry, so the wide path written above is the one it loads. The
    // answer says nothing the program could act on.
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_UPDATEINIFILE);
}

Setting read(const std::wstring &key)
{
    const OpenKey desktop(key, KEY_QUERY_VALUE);
    Setting setting;
    for (const wchar_t *name : settingNames) {
        std::wstring value;
        if (desktop.readString(name, value))
            setting.values.emplace_back(name, value);
    }
    return setting;
}

void restore(const Setting &setting, const std::wstring &key)
{
    {
        OpenKey desktop(key);
        for (const auto &[name, value] : setting.values) {
            for (const wchar_t *known : settingNames) {
                if (name == known)
                    desktop.writeString(known, value);
            }
        }
    }
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_UPDATEINIFILE);
}

} // namespace RegistryWallpaper
