#pragma once

#include <QString>

#include <functional>
#include <memory>

class FolderLock;
class QLocalServer;

// One running copy of the program per application folder. The first copy
// holds the folder (a lock the system keeps, see FolderLock) and listens on
// a local socket named after the folder in the user's own runtime folder; a
// later copy asks it to bring its window to the front and ends, before it
// has opened the store or any settings file. The lock dies with the process
// that holds it, so a crashed copy never blocks the next start, whatever it
// left on the disk.
class SingleInstance {
public:
    explicit SingleInstance(const QString &appFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when no other copy runs on this folder: this one now holds it.
    bool isFirst() const;

    // For a later copy: asks the running copy to show its window. False when
    // none answered: no copy listens for this user, or the one that does
    // stays silent (hung, or still starting after a long wait).
    bool handOver() const;

    // For a later copy that got no answer: why this start does not run and
    // what the user can do, fit for a message box.
    QString whyNotStarted() const;

    // For the first copy: `bringToFront` runs for every later start, at
    // once or, for starts that came before, when it is given.
    void onLaterStart(std::function<void()> bringToFront);

private:
    void listen();
    void answer();

    QString m_folder;
    QString m_serverName;
    std::unique_ptr<FolderLock> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_bringToFront;
    int m_waitingStarts = 0;
};

// For a start that is not the first on its folder: hands over to the running
// copy, or tells the user why this copy does not start. The exit code of
// the program: 0 when the running copy answered.
int endLaterStart(const SingleInstance &instance);
