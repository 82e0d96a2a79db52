#include "wallpaper/piclistfile.h"

#include "files/appfolder.h"
#include "files/linelist.h"
#include "wallpaper/uglobal.h"

#include <QFileInfo>

namespace PicListFile {

namespace {

QStringList newListLines()
{
    return {standardPicture(), standardPicture()};
}

} // namespace

QString standardPicture()
{
    return QStringLiteral("A1.bmp");
}

QString path()
{
    return AppFolder::file(QStringLiteral("Data/BGPicList.ini"));
}

void LoadPicList(bool FollowDefault, QString &DefaultPic, int &CurPicIndex)
{
    const QString file = path();
    uGlobal::PicCount = 0;
    if (!QFileInfo::exists(file)) {
        LineList::write(file, newListLines());
        DefaultPic = standardPicture();
        uGlobal::PicCount = 2;
        uGlobal::PicList = {{0, standardPicture()}, {1, standardPicture()}};
        CurPicIndex = 0;
        return;
    }
    const QStringList lines = LineList::read(file);
    // An empty file has no line 1: the load stops here and keeps the
    // earlier list, default and index.
    if (lines.isEmpty())
        return;
    DefaultPic = lines.first();
    uGlobal::PicCount = int(lines.size());
    uGlobal::PicList.resize(lines.size());
    for (int i = 0; i < uGlobal::PicCount; ++i) {
        uGlobal::PicList[i] = {i, lines.at(i)};
        if (lines.at(i) == DefaultPic)
            CurPicIndex = FollowDefault ? i : uGlobal::PicCount - 1;
    }
}

void SavePicListFile(const QString &defaultPic, const QStringList &rows)
{
    LineList::write(path(), QStringList {defaultPic} + rows);
}

WindowList FillPicList()
{
    const QString file = path();
    if (!QFileInfo::exists(file)) {
        LineList::write(file, newListLines());
        return {standardPicture(), std::nullopt};
    }
    const QStringList lines = LineList::read(file);
    if (lines.isEmpty())
        return {};
    return {lines.first(), lines.mid(1)};
}

} // namespace PicListFile
