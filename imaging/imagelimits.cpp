#include "imaging/imagelimits.h"

#include "imaging/imagingerror.h"

#include <QString>

namespace ImageLimits {

void check(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0)
        throw ImagingError(QStringLiteral("图片尺寸无效（%1×%2）").arg(width).arg(height).toStdString());
    if (width > maxSide || height > maxSide || width * height * 4 > maxDecodedBytes)
        throw ImagingError(QStringLiteral("图片太大（%1×%2），无法读取").arg(width).arg(height).toStdString());
}

} // namespace ImageLimits
