#pragma once

#include "text/fileerror.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Replaces a file whole or not at all. The new content goes to a temporary
// file in the same folder; every write is checked as it happens (nothing is
// held back in a buffer whose failure could go unseen), the data is synced
// to the disk, and only then is the temporary renamed over the old file. A
// reader, a crash or a full disk therefore meets the old file or the new
// one, never a mixture, and a failure leaves the old file byte-identical
// and no temporary behind.
//
// Every failure throws FileError "无法写入文件 <path>：<reason>".
class AtomicFile {
public:
    explicit AtomicFile(const QString &path);
    // Without commit() the temporary is discarded and the old file stays.
    ~AtomicFile() = default;
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    void write(const void *data, qint64 size);
    void commit();

    // The whole file in one go.
    static void write(const QString &path, const QByteArray &bytes);

private:
    [[noreturn]] void fail();

    QString m_path;
    QSaveFile m_file;
};
