#include "memo/textexport.h"

#include "text/linelist.h"

namespace TextExport {

QString proposedName(int page)
{
    const QString letter = page >= 1 && page <= 5 ? QString(QChar(u'A' + page - 1)) : QString();
    return letter + QStringLiteral("备忘录");
}

QString targetPath(const QString &chosenName)
{
    return chosenName + QStringLiteral(".txt");
}

void write(const QString &chosenName, const QString &plainText)
{
    // Splitting at every line feed, not by the settings-file rule, keeps an
    // empty board as one empty paragraph: the file then holds CR LF alone.
    LineList::write(targetPath(chosenName), plainText.split(QLatin1Char('\n')));
}

} // namespace TextExport
