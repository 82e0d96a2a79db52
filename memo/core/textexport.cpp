#include "memo/core/textexport.h"

#include "files/atomicfile.h"
#include "files/gbk.h"

namespace TextExport {

QString proposedName(int page)
{
    const QString letter = page >= 1 && page <= 5 ? QString(QChar(u'A' + page - 1)) : QString();
    return letter + QStringLiteral("备忘录");
}

QString targetPath(const QString &chosenName)
{
    const QString suffix = QStringLiteral(".txt");
    return chosenName.endsWith(suffix, Qt::CaseInsensitive) ? chosenName : chosenName + suffix;
}

QByteArray encoded(const QString &plainText, Encoding encoding)
{
    // The board separates paragraphs by line feeds alone.
    if (encoding == Encoding::Utf8Lf)
        return (plainText + QLatin1Char('\n')).toUtf8();
    QString text = plainText + QLatin1Char('\n');
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return Gbk::encode(text);
}

void write(const QString &chosenName, const QString &plainText)
{
    // The user's own file: synced before it replaces an older export.
    AtomicFile::write(targetPath(chosenName), encoded(plainText, kSystemEncoding));
}

} // namespace TextExport
