#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The pictures the background list takes, decided in this one table: the
// add accepts exactly these files, the open dialog lists them, and the list
// window's hint and the help page name them.
namespace PictureFormats {

struct Format {
    // How the hint and the help name the format: "JPG".
    QString caption;
    // The file-name extensions, lower case with the dot; matched in any case.
    QStringList extensions;
    // Writes the picture at source as a BMP at target, as an AtomicFile,
    // once the whole picture has been read and decoded: a BMP as it is, the
    // others as 24-bit BMPs. Throws ImagingError for a picture that cannot
    // be read (a damaged one included), FileError when target cannot be
    // written.
    void (*writeBmp)(const QString &source, const QString &target);
};

const std::vector<Format> &all();

// The format of a file by its extension in any letter case, or nullptr.
const Format *of(const QString &path);

// The name of the BMP an added picture becomes: a BMP keeps its name, the
// others get ".bmp" in place of their extension (Pic.JPG → Pic.bmp).
QString bmpName(const QString &fileName);

// The captions in the table's order, joined by separator.
QString captions(const QString &separator);

// The open dialog's one filter entry, naming every extension:
// "所有图片(*.bmp;*.jpg;…)".
QString dialogFilter();

} // namespace PictureFormats
