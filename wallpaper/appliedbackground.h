#pragma once

#include <QString>

// The background under the wallpaper this program last set, as its name in
// the picture list, kept in Data/LastBackground.ini (one line) so that the
// notes on the desktop can be brought up to date over the same picture,
// after a restart too. No file: the desktop shows no wallpaper of this
// program that could be brought up to date.
namespace AppliedBackground {

QString path();
// The name, or an empty string when none is kept or the file cannot be read.
QString read();
// Throws FileError.
void write(const QString &pictureName);
// The desktop got the user's own wallpaper back. Throws FileError.
void forget();

} // namespace AppliedBackground
