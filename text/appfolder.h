#pragma once

#include <QString>

// The folder that holds the executable. Every file the program uses is this
// folder plus a fixed relative path, whatever the working folder is.
namespace AppFolder {

// The application folder with a trailing '/'.
QString root();

// Replaces the folder (tests work in a temporary application folder).
void setRoot(const QString &folder);

// root() + relative, where each component that does not exist in the exact
// case is matched against an existing entry that differs only in case, so a
// folder copied from Windows ("data", "DATA", "Mix.Bmp") is found. Components
// that exist in no case are kept as written.
QString file(const QString &relative);

// The same resolution below any folder.
QString resolveCaseInsensitive(const QString &folder, const QString &relative);

} // namespace AppFolder
