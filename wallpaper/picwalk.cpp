#include "wallpaper/picwalk.h"

#include "wallpaper/piclistfile.h"

#include <algorithm>

namespace PicWalk {

QString pictureAt(const QList<TPicBGList> &list, int index)
{
    if (index < 0 || index >= list.size())
        return PicListFile::standardPicture();
    return list.at(index).PicName;
}

int afterMissingPicture(int index, int listLength)
{
    if (index == 0)
        return 0;
    const int next = index + 1;
    return next < listLength ? next : 1;
}

int afterApply(int index, int listLength)
{
    const int next = index - 1;
    return next > 0 ? next : std::max(listLength - 1, 0);
}

} // namespace PicWalk
