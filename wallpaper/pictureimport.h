#pragma once

#include "files/fileerror.h"

#include <QString>

// Brings a picture the user chose into the picture folder source/DeskTopBG/
// as the BMP file the list names.
namespace PictureImport {

// A chosen file the list does not take; the message says why, fit for the
// user ("无法读取的图片（…）", "不支持的图片格式", …).
class Refused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Imported {
    QString row;    // the BMP's file name, as the list shows it
    QString path;   // the BMP's place in the picture folder
    QString staged; // where the BMP waits, beside its place, until the list names it
};

// A BMP is copied, a JPEG, GIF, PNG or WebP picture is converted into a BMP
// of the same name; nothing else goes into the folder. The picture is read
// and decoded whole before anything is written, and written as an
// AtomicFile beside its place: a picture of that name already there stays
// as it is until place(). Only a regular file is opened: a FIFO, device or
// folder is refused without waiting, and so is a name with a line break,
// which the list file could not hold as one row. Throws Refused, and
// FileError when the folder cannot take the picture.
Imported importPicture(const QString &chosen);

// Puts the picture in its place once the list names it, replacing a picture
// of that name. Throws FileError.
void place(const Imported &picture);

// Takes back a picture that the list could not take in: the folder stays as
// it was before the import.
void withdraw(const Imported &picture);

} // namespace PictureImport
