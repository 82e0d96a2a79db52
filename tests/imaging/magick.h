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

// ImageMagick's own reading of the first picture of a file, as RGB32;
// options go between the input and the output (e.g. to flatten on white).
inline QImage decode(const QString &path, const QString &scratchPpm, const QStringList &options = {})
{
    if (!run(QStringList {path + QStringLiteral("[0]")} + options
             + QStringList {QStringLiteral("-depth"), QStringLiteral("8"), scratchPpm}))
        return QImage();
    return QImage(scratchPpm).convertToFormat(QImage::Format_RGB32);
}

} // namespace Magick
