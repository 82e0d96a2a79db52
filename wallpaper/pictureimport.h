#pragma once

#include "text/fileerror.h"

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
    QString row;   // the BMP's file name, as the list shows it
    QString path;  // the BMP in the picture folder
    bool isNew;    // no file of that name lay there before
};

// A BMP is copied, a JPEG, GIF, PNG or WebP picture is converted into a BMP
// of the same name; nothing else goes into the folder. The picture is read
// and decoded whole before anything is written, and written as an
// AtomicFile, so a refused file leaves the folder as it was (a BMP picked in
// the picture folder itself is written over with its own bytes). Only a
// regular file is opened: a FIFO, device or folder is refused without
// waiting. Throws Refused, and FileError when the folder cannot take the
// picture.
Imported importPicture(const QString &chosen);

// Takes a picture out again that the list could not take in: a new file is
// removed, a replaced one stays.
void withdraw(const Imported &picture);

} // namespace PictureImport
