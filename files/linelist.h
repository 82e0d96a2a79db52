#pragma once

#include "files/fileerror.h"

#include <QString>
#include <QStringList>

// Settings files are plain lists of lines: no sections, no keys, GB18030
// text with CR LF after every line.
namespace LineList {

// A settings file is a few lines; a larger one is not read.
inline constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// Lines end at CR, LF or CR LF and are not trimmed; a last line without an
// end still counts, an empty file has no lines. Throws FileError when the
// file exists but cannot be read, and likewise, without waiting, when it is
// not a regular file (a FIFO, a device, a folder) or holds more than
// kMaxFileSize bytes.
QStringList read(const QString &path);

// Splits text into lines by the same rule as read().
QStringList splitLines(const QString &text);

// Writes the lines whole, each followed by CR LF, as an AtomicFile: a crash
// or a full disk leaves either the old file or the new one. Throws FileError
// with a message fit for the user.
void write(const QString &path, const QStringList &lines);

} // namespace LineList
