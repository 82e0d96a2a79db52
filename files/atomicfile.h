#pragma once

#include "files/fileerror.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QTemporaryFile>

// Replaces a file whole or not at all. The new content goes to a temporary
// file in the same folder; every write is checked as it happens (nothing is
// held back in a buffer whose failure could go unseen), and only then is the
// temporary renamed over the old file. A reader, a killed program or a full
// disk therefore meets the old file or the new one, never a mixture, and a
// failure leaves the old file byte-identical and no temporary behind.
//
// A new file is made readable and writable by its owner only (0600); a file
// that is replaced keeps its permissions.
//
// Every failure throws FileError "无法写入文件 <path>：<reason>".
class AtomicFile {
public:
    // The user's own files (lists, settings, added pictures) are synced to
    // the disk before the rename, so even a power cut keeps one whole
    // version. Files the program makes anew at every apply (Content.bmp and
    // the Mix files) skip that wait: losing them to a power cut costs one
    // more click, and a sync would double the time of the apply.
    enum class Durability { Synced, Regenerated };

    explicit AtomicFile(const QString &path, Durability durability = Durability::Synced);
    // Without commit() the temporary is discarded and the old file stays.
    ~AtomicFile() = default;
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    void write(const void *data, qint64 size);
    void commit();

    // The whole file in one go.
    static void write(const QString &path, const QByteArray &bytes, Durability durability = Durability::Synced);

private:
    QFileDevice &device();
    void renameRegenerated();
    [[noreturn]] void fail(const QString &reason = QString());

    QString m_path;
    Durability m_durability;
    QSaveFile m_synced;
    QTemporaryFile m_regenerated;
};
