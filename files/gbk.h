#pragma once

#include <QByteArray>
#include <QString>

// The program's 8-bit Chinese code page. Files the program writes in "GBK"
// are GB18030: identical to GBK for every GBK character and lossless for the
// rest.
namespace Gbk {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);

} // namespace Gbk
