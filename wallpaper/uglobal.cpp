#include "wallpaper/uglobal.h"

#include "files/intparse.h"
#include "files/linelist.h"

#include <QFileInfo>

namespace uGlobal {

QList<TPicBGList> PicList;
int PicCount = 0;
bool AskBeforeSetBg = true;
int SetBgAnswer = 0;
QString ConfigSetBgPath;

bool readAskBeforeSetBg(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        LineList::write(path, {QStringLiteral("1")});
        return true;
    }
    const QStringList lines = LineList::read(path);
    if (lines.isEmpty())
        return true;
    const std::optional<int> value = parseInt32(lines.first());
    return !value || *value > 0;
}

void writeDoNotAsk(const QString &path)
{
    LineList::write(path, {QStringLiteral("0")});
}

} // namespace uGlobal
