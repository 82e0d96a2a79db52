#pragma once

#include <QString>
#include <QUrl>

// The file:// URI of an absolute path, with everything outside ASCII
// percent-encoded as the desktops write it themselves.
inline QString pictureUri(const QString &path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}
