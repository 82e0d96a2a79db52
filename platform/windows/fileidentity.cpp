#include "platform/fileidentity.h"

#include <QDir>

#include <windows.h>

std::optional<FileIdentity> fileIdentity(const QString &path)
{
    // Opened for neither reading nor writing, sharing everything: only the
    // file's information is asked for.
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information {};
    const bool known = GetFileInformationByHandle(file, &information);
    CloseHandle(file);
    if (!known || (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const quint64 written = (quint64(information.ftLastWriteTime.dwHighDateTime) << 32)
                            | information.ftLastWriteTime.dwLowDateTime;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (quint64(information.nFileIndexHigh) << 32) | information.nFileIndexLow,
                        qint64((quint64(information.nFileSizeHigh) << 32) | information.nFileSizeLow),
                        qint64(written) * 100};
}
