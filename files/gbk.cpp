#include "files/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Gbk {

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

QByteArray encode(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

} // namespace Gbk
