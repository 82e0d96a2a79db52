#pragma once

#include <QList>
#include <QString>

// One entry of the background picture list.
struct TPicBGList {
    int PicIndex = 0;
    QString PicName;
};

// State shared by the memo window, the picture list window and the
// confirmation box. Plain values on the user-interface thread.
namespace uGlobal {

extern QList<TPicBGList> PicList;
extern int PicCount;
extern bool AskBeforeSetBg;
extern int SetBgAnswer;
extern QString ConfigSetBgPath;

// Reads the question file at start: a missing file is created with the single
// line "1" (ask); a first line that is an integer asks when it is greater
// than 0; an empty file or a first line that is not an integer asks and the
// file is left as it is. Throws FileError when the file cannot be
// read or created.
bool readAskBeforeSetBg(const QString &path);

// Writes the answer "do not ask again" (the single line "0").
void writeDoNotAsk(const QString &path);

// The BMP file for an added picture, by the extension of Path in any letter
// case: a ".bmp" path itself, the conversion of a ".jpg", ".jpeg", ".gif",
// ".png" or ".webp" file, and an empty string for every other type.
// Conversion failures throw to the caller.
QString ConvertToBmp(const QString &Path);

// Decode the JPEG or the first picture of the GIF at Path and write it as a
// 24-bit BMP beside it, with the extension changed to ".bmp" (Pic.JPG →
// Pic.bmp), replacing any file there. Return that path. Throw as
// convertInto() does.
QString JpgToBmp(const QString &Path);
QString GifToBmp(const QString &Path);

// Whether convertInto() reads a file of this name (".jpg", ".jpeg",
// ".gif", ".png", ".webp" in any letter case).
bool isConvertible(const QString &path);
// Decodes the picture at source by its extension and writes it as a
// 24-bit BMP at target, as an AtomicFile: the file there is replaced only
// once the whole picture has been decoded and written. Throws ImagingError
// for a picture that cannot be read (a damaged one included), FileError
// when the BMP cannot be written.
void convertInto(const QString &source, const QString &target);

} // namespace uGlobal
