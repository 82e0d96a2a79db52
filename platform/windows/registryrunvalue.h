#pragma once

#include <string>

// The start at login through the current user's Run key, whose values
// Windows runs as commands at logon. Kept free of Qt so that it builds with
// the Windows cross compiler alone.
namespace RegistryRunValue {

inline const std::wstring runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The value this program keeps there.
inline const std::wstring valueName = L"Paxelo备忘录";

// The command that starts the program at `path`, quoted so that a blank in
// the path does not split it.
std::wstring command(const std::wstring &path);

// Writes the value (creating the key when missing). Throws LoginStartError.
void set(const std::wstring &command, const std::wstring &name = valueName, const std::wstring &key = runKey);
// Deletes the value; a missing value or key is no failure. Throws
// LoginStartError.
void remove(const std::wstring &name = valueName, const std::wstring &key = runKey);

} // namespace RegistryRunValue
