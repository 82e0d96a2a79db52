#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

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

// The address of a carried file among the program's resources, where a
// viewer resolves the links between the pages as on the site.
QUrl url(const QString &path);

} // namespace BuiltInSite
