#include "imaging/imagingerror.h"

#include <QDir>

ImagingError::ImagingError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

ImagingError ImagingError::inFile(const QString &path) const
{
    return ImagingError(QStringLiteral("%1（%2）").arg(QString::fromUtf8(what()), QDir::toNativeSeparators(path)));
}
