#include "platform/folderlock.h"

#include <QDir>

#include <windows.h>

// Windows keeps no lock on a folder that leaves the folder usable, so the
// hold is the file `fallbackFile` opened with no sharing: the system closes
// it when the process ends, and what the file holds does not matter.
struct FolderLock::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;
    ~Handle()
    {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
};

FolderLock::FolderLock(const QString &folder, const QString &fallbackFile)
    : m_handle(std::make_unique<Handle>())
{
    Q_UNUSED(folder);
    const QString path = QDir::toNativeSeparators(fallbackFile);
    m_handle->file = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ, 0, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle->file != INVALID_HANDLE_VALUE) {
        m_state = State::Held;
        return;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
        m_state = State::HeldElsewhere;
        return;
    }
    m_failedPath = fallbackFile;
    m_failure = QStringLiteral("Windows error %1").arg(error);
}

FolderLock::~FolderLock() = default;
