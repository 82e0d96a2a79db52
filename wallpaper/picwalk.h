#pragma once

#include "wallpaper/uglobal.h"

#include <QList>
#include <QString>

// Which background the next apply uses. The applies walk the list from the
// last row towards the first and wrap to the last; entry 0, the default
// line, is used only while the index is 0. The wrap is by the length of the
// list, not by PicCount.
namespace PicWalk {

// The picture name at index, or the standard picture when the list has no
// such entry (an empty list file leaves the list empty).
QString pictureAt(const QList<TPicBGList> &list, int index);

// The background at index was missing: the index moves one entry towards
// the back, wrapping to 1; at 0 it stays.
int afterMissingPicture(int index, int listLength);

// The wallpaper was set: the index moves one entry towards the front,
// wrapping from 0 to the last entry (0 for a list of one entry or none).
int afterApply(int index, int listLength);

} // namespace PicWalk
