#include "memo/memooptions.h"

#include "files/appfolder.h"
#include "files/linelist.h"

#include <QFileInfo>

namespace {

bool isOn(const QStringList &lines, qsizetype index)
{
    return index < lines.size() && lines.at(index).trimmed() == QLatin1String("1");
}

QString onOff(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

MemoOptions MemoOptions::read(const QString &path)
{
    MemoOptions options;
    if (!QFileInfo::exists(path))
        return options;
    const QStringList lines = LineList::read(path);
    options.startAtLogin = isOn(lines, 0);
    options.updateDesktop = isOn(lines, 1);
    return options;
}

void MemoOptions::write(const QString &path) const
{
    LineList::write(path, {onOff(startAtLogin), onOff(updateDesktop)});
}

QString MemoOptions::path()
{
    return AppFolder::file(QStringLiteral("Data/Options.ini"));
}
