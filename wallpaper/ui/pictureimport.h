#pragma once

#include <QString>

#include <optional>

// Brings a picture the user chose into the picture folder source/DeskTopBG/.
namespace PictureImport {

// Copies `source` over `target`, replacing a file of that name. The copy is
// written beside the target and renamed over it, so a failed copy leaves the
// old file; a source that already is the target (a picture picked from the
// picture folder itself) is left as it is.
void copyOver(const QString &source, const QString &target);

// Copies the chosen file into the picture folder, turns a JPEG or GIF copy
// into a BMP beside it and reads that BMP through once to prove it can be
// used. Returns the BMP's file name for the list, or nullopt for a chosen
// file that does not exist and for a type the list cannot hold (the copy
// stays in the folder). A picture that cannot be decoded throws.
std::optional<QString> importPicture(const QString &chosen);

} // namespace PictureImport
