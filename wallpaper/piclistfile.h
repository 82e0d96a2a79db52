#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The background picture list file Data/BGPicList.ini: line 1 names the
// default picture, every further line is one row of the list; bare file
// names in source/DeskTopBG/, compared exactly as written.
namespace PicListFile {

// The standard picture: a new list names it twice, and it becomes the
// default when the default row is removed.
QString standardPicture();

// The list file in the application folder.
QString path();

// Loads the file into uGlobal::PicList and uGlobal::PicCount, and sets the
// memo window's DefaultPic and CurPicIndex: the last row with FollowDefault
// false, the last entry named like the default with true (0 when only the
// default line is). A missing file is written with the standard picture
// twice (CurPicIndex 0). An empty file sets PicCount to 0 and leaves the
// rest as it was. Throws FileError when the file cannot be read
// or written.
void LoadPicList(bool FollowDefault, QString &DefaultPic, int &CurPicIndex);

// Writes the whole file: the default, then the rows in order.
void SavePicListFile(const QString &defaultPic, const QStringList &rows);

// What the list window takes from the file each time it is shown; a field
// left empty means "keep what you have". A missing file is written with the
// standard picture twice and gives only the default; an empty file gives
// nothing.
struct WindowList {
    std::optional<QString> defaultPic;
    std::optional<QStringList> rows;
};
WindowList FillPicList();

} // namespace PicListFile
