#pragma once

#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;

// One running copy of the program per application folder. The first copy
// holds a lock in the folder's Data/ and listens on a local socket named
// after the folder; a later copy asks it to bring its window to the front
// and ends, before it has opened the store or any settings file. The lock
// dies with the process that holds it, so a crashed copy never blocks the
// next start.
class SingleInstance {
public:
    explicit SingleInstance(const QString &appFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when no other copy runs on this folder: this one now holds it.
    bool isFirst() const { return m_isFirst; }

    // For a later copy: asks the running copy to show its window, waiting
    // for its answer at most `timeoutMs`. False when it did not answer.
    bool handOver(int timeoutMs) const;

    // For the first copy: `bringToFront` runs for every later start, at
    // once or, for starts that came before, when it is given.
    void onLaterStart(std::function<void()> bringToFront);

private:
    void listen();
    void answer();

    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    bool m_isFirst = false;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_bringToFront;
    int m_waitingStarts = 0;
};
