#pragma once

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

// ImageMagick's convert, used to make picture files with another program
// than ours, and to read them back as a reference. Tests skip without it.
namespace Magick {

inline QString tool()
{
    return QStandardPaths::findExecutable(QStringLiteral("convert"));
}

inline bool run(const QStringList &arguments)
{
    QProcess process;
    process.start(tool(), arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

// ImageMagick's own reading of a picture file, as RGB32.
inline QImage decode(const QString &path, const QString &scratchPpm)
{
    if (!run({path + QStringLiteral("[0]"), QStringLiteral("-depth"), QStringLiteral("8"), scratchPpm}))
        return QImage();
    return QImage(scratchPpm).convertToFormat(QImage::Format_RGB32);
}

} // namespace Magick
