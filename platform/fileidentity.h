#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Which file a path names right now, and the state of its content: another
// program that copies over a file keeps its identity but changes its size
// or time; one that moves a file over it or deletes it changes the identity.
struct FileIdentity {
    quint64 device = 0;
    quint64 file = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    bool sameFile(const FileIdentity &other) const { return device == other.device && file == other.file; }
    bool operator==(const FileIdentity &other) const = default;
};

// The identity of the file at `path` (symbolic links followed); nullopt
// when the path names no file.
std::optional<FileIdentity> fileIdentity(const QString &path);
