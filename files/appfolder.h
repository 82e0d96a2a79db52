#pragma once

#include <QString>

// The application folder: every file the program uses is this folder plus a
// fixed relative path, whatever the working folder is. A portable program
// (its own folder holds Data/) keeps its files beside the executable, also
// where they cannot be written; an installed one keeps the same layout in
// each user's data folder, filled from the installed template on the first
// start.
namespace AppFolder {

// The application folder with a trailing '/'; chosen once.
QString root();

// The folder that holds the executable, with a trailing '/'.
QString programFolder();

// Whether a program folder keeps the program's files: it holds Data/ (in
// any case), whether or not the program may write there.
bool isPortable(const QString &folder);

// $XDG_DATA_HOME/paxelo-memo/, by default ~/.local/share/paxelo-memo/.
QString userDataFolder();

// What a user's data folder is first filled from: the share folder of an
// installed program (bin/../share/paxelo-memo/), else the program folder
// itself.
QString templateFolder();

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
