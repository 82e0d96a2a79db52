#include "platform/windows/registryrunvalue.h"

#include "platform/loginstarterror.h"

#include <windows.h>

namespace {

[[noreturn]] void fail(const char *what, LONG status)
{
    throw LoginStartError(std::string(what) + "（错误 " + std::to_string(status) + "）");
}

class OpenKey {
public:
    OpenKey(const std::wstring &subKey, bool create)
    {
        const LONG status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0,
                                                     KEY_SET_VALUE, nullptr, &m_key, nullptr)
                                   : RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_SET_VALUE, &m_key);
        m_status = status;
        if (status != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~OpenKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

    HKEY handle() const { return m_key; }
    LONG status() const { return m_status; }

private:
    HKEY m_key = nullptr;
    LONG m_status = ERROR_SUCCESS;
};

} // namespace

namespace RegistryRunValue {

std::wstring command(const std::wstring &path)
{
    return L"\"" + path + L"\"";
}

void set(const std::wstring &command, const std::wstring &name, const std::wstring &key)
{
    const OpenKey run(key, true);
    if (!run.handle())
        fail("无法打开注册表中的启动项", run.status());
    const auto bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
    const LONG status = RegSetValueExW(run.handle(), name.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE *>(command.c_str()), bytes);
    if (status != ERROR_SUCCESS)
        fail("无法写入注册表中的启动项", status);
}

void remove(const std::wstring &name, const std::wstring &key)
{
    const OpenKey run(key, false);
    if (run.status() == ERROR_FILE_NOT_FOUND)
        return;
    if (!run.handle())
        fail("无法打开注册表中的启动项", run.status());
    const LONG status = RegDeleteValueW(run.handle(), name.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        fail("无法删除注册表中的启动项", status);
}

} // namespace RegistryRunValue
