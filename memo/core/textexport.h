#pragma once

#include <QByteArray>
#include <QString>

// The export of the board's text to a plain text file.
namespace TextExport {

// What the save dialog shows and matches.
inline constexpr char16_t kFilter[] = u"*.Txt";

// How the file is encoded: what the system's own tools read. Windows
// programs expect the Chinese code page with CR LF, Linux ones UTF-8 with LF.
enum class Encoding { Gb18030CrLf, Utf8Lf };
#ifdef Q_OS_WIN
inline constexpr Encoding kSystemEncoding = Encoding::Gb18030CrLf;
#else
inline constexpr Encoding kSystemEncoding = Encoding::Utf8Lf;
#endif

// The page's letter followed by "备忘录"; other pages have no letter.
QString proposedName(int page);

// The file the export writes for the name the user chose: ".txt" is
// appended unless the name ends in it already, in any case.
QString targetPath(const QString &chosenName);

// The file's bytes: every paragraph followed by a line end, the last one
// included, so an empty board gives one line end alone.
QByteArray encoded(const QString &plainText, Encoding encoding);

// Writes the text in the system's encoding to targetPath(chosenName),
// replacing that file whole or not at all (AtomicFile). Throws FileError
// with a message fit for the user.
void write(const QString &chosenName, const QString &plainText);

} // namespace TextExport
