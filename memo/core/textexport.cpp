#include "memo/core/textexport.h"

#include "text/gbk.h"
#include "text/linelist.h"

#include <QDir>
#include <QSaveFile>

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
    const QString path = targetPath(chosenName);
    const QByteArray bytes = encoded(plainText, kSystemEncoding);
    QSaveFile file(path);
    // Unbuffered, so a full disk fails the write itself and the old file stays.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() || !file.commit())
        throw LineList::FileError(QStringLiteral("无法写入文件 %1：%2")
                                      .arg(QDir::toNativeSeparators(path), file.errorString())
                                      .toStdString());
}

} // namespace TextExport
