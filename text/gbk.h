#pragma once

#include <QByteArray>
#include <QString>

// The program's 8-bit Chinese code page. Files the program writes in "GBK"
// are GB18030: identical to GBK for every GBK character and lossless for the
// rest.
namespace Gbk {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);

// True when every character of `text` has a one- or two-byte GBK form.
bool encodable(QChar c);

} // namespace Gbk
