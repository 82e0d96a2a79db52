#include "wallpaper/ui/pictureimport.h"

#include "imaging/bmpreader.h"
#include "text/appfolder.h"
#include "wallpaper/uglobal.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>

namespace PictureImport {

namespace {

bool sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
                                       std::filesystem::path(QFile::encodeName(b).toStdString()), error);
}

} // namespace

void copyOver(const QString &source, const QString &target)
{
    if (sameFile(source, target))
        return;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return;
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            break;
        }
    }
    out.commit();
}

std::optional<QString> importPicture(const QString &chosen)
{
    const QFileInfo chosenFile(chosen);
    if (!chosenFile.isFile())
        return std::nullopt;
    const QString target = AppFolder::file(QStringLiteral("source/DeskTopBG/") + chosenFile.fileName());
    copyOver(chosen, target);
    const QString bmp = uGlobal::ConvertToBmp(target);
    if (bmp.isEmpty())
        return std::nullopt;
    BmpReader::readFile(bmp);
    return QFileInfo(bmp).fileName();
}

} // namespace PictureImport
