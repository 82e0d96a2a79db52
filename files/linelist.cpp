#include "files/linelist.h"

#include "files/atomicfile.h"
#include "files/gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace LineList {

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

namespace {

[[noreturn]] void failRead(const QString &path, const QString &reason)
{
    throw FileError(QStringLiteral("无法读取文件 %1：%2").arg(QDir::toNativeSeparators(path), reason).toStdString());
}

} // namespace

QStringList read(const QString &path)
{
    // Checked by name before the open: opening a FIFO waits for a writer,
    // and a device (a link to /dev/zero) never ends.
    if (const QFileInfo target(path); target.exists() && !target.isFile())
        failRead(path, QStringLiteral("不是普通文件"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failRead(path, file.errorString());
    if (file.size() > kMaxFileSize)
        failRead(path, QStringLiteral("文件过大"));
    return splitLines(Gbk::decode(file.readAll()));
}

void write(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    AtomicFile::write(path, Gbk::encode(text));
}

} // namespace LineList
