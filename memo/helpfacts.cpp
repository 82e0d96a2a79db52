#include "memo/helpfacts.h"

#include "files/appfolder.h"
#include "wallpaper/pictureformats.h"

#include <QDir>

namespace HelpFacts {

BuiltInSite::Facts current()
{
    BuiltInSite::Facts facts;
    facts.dataFolder = QDir::toNativeSeparators(AppFolder::root());
    facts.portable = QDir(AppFolder::root()) == QDir(AppFolder::programFolder());
    facts.templateFolder = QDir::toNativeSeparators(AppFolder::templateFolder());
    for (const PictureFormats::Format &format : PictureFormats::all()) {
        facts.pictureFormats.append(format.caption);
        facts.pictureExtensions.append(format.extensions);
    }
    return facts;
}

} // namespace HelpFacts
