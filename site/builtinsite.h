#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The help and feedback pages the program carries, with their stylesheet,
// laid out as on the site ("/help4/B90a.htm").
namespace BuiltInSite {

// What the pages say about the program as it runs on this machine.
struct Facts {
    // The folder that holds Data/ and source/DeskTopBG/, as a native path.
    QString dataFolder;
    // Whether that is the program's own folder; otherwise it is the user's
    // data folder, filled from templateFolder on the first start.
    bool portable = true;
    QString templateFolder;
    // The picture formats the add accepts ("BMP", "JPG", …) and their
    // file-name extensions (".bmp", ".jpg", ".jpeg", …).
    QStringList pictureFormats;
    QStringList pictureExtensions;
};

// The paths of the carried files, sorted.
QStringList files();

// The bytes of one carried file, with what the page says about this
// machine filled in from facts; empty for a path the program does not carry.
QByteArray file(const QString &path, const Facts &facts);

// The short tips of the help page's tip list, in their order.
QStringList tips();

// Writes every carried file below `folder` in the site's layout, replacing
// what is there. Throws std::runtime_error with a message fit for the user.
void writeTo(const QString &folder, const Facts &facts);

} // namespace BuiltInSite
