#include "text/gbk.h"

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

bool encodable(QChar c)
{
    if (c.unicode() < 0x80)
        return true;
    if (c.isSurrogate())
        return false;
    QStringEncoder encoder("GB18030");
    const QByteArray bytes = encoder.encode(QString(c));
    // GB18030 adds four-byte sequences for what GBK cannot hold.
    return bytes.size() == 2;
}

} // namespace Gbk
