#pragma once

#include <QString>

// The export of the board's text to a plain text file.
namespace TextExport {

// What the save dialog shows and matches.
inline constexpr char16_t kFilter[] = u"*.Txt";

// The page's letter followed by "备忘录"; other pages have no letter.
QString proposedName(int page);

// The file the export writes for the name the user chose: ".txt" is always
// appended, even to a name that ends in it already.
QString targetPath(const QString &chosenName);

// Writes the text, paragraphs ending in CR LF, the last one included, in
// GB18030 to targetPath(chosenName), replacing that file. Throws
// LineList::FileError with a message fit for the user.
void write(const QString &chosenName, const QString &plainText);

} // namespace TextExport
