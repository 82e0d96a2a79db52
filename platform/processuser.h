#pragma once

#include <QString>

// Whether the program runs as the system's superuser, where some components
// (the web engine's sandbox among them) behave differently.
bool runsAsSuperuser();

// Writes past the process's file-size limit (ulimit -f) fail with "File too
// large" instead of ending the program, so they are reported like a full disk.
void keepRunningPastFileSizeLimit();

// The name for a local socket that only this user can reach: a path in the
// user's runtime folder ($XDG_RUNTIME_DIR, or where that is unset or not the
// user's alone, a folder of the user's own with mode 0700 that is made in the
// temporary folder). Empty where no such folder can be had: another user
// holds its name.
QString privateSocketName(const QString &name);
