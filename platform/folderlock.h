#pragma once

#include <QString>

#include <memory>

// An exclusive hold on a folder for as long as the object lives. The system
// keeps it: it ends with the process however that ends, and taking it writes
// nothing, so a full or read-only disk is held like any other and no file
// left behind by a dead process can block a later start. Where a file system
// cannot lock a folder (NFS), the hold is on the file `fallbackFile`, opened
// for writing as such file systems need and created if missing.
class FolderLock {
public:
    enum class State {
        Held,          // this object holds the folder
        HeldElsewhere, // a living process holds it
        Failed,        // the folder could not be locked: see failure()
    };

    FolderLock(const QString &folder, const QString &fallbackFile);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    State state() const { return m_state; }
    // For HeldElsewhere: the process that holds the folder, 0 where the
    // system does not tell.
    qint64 holder() const { return m_holder; }
    // For Failed: the file or folder that could not be locked, and why.
    QString failedPath() const { return m_failedPath; }
    QString failure() const { return m_failure; }

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    State m_state = State::Failed;
    qint64 m_holder = 0;
    QString m_failedPath;
    QString m_failure;
};
