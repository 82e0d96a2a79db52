#include "app/singleinstance.h"

#include "text/appfolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {

const QByteArray kShowRequest = "show\n";
const QByteArray kShownAnswer = "shown\n";

QString canonicalFolder(const QString &appFolder)
{
    const QString canonical = QFileInfo(appFolder).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(appFolder).absoluteFilePath() : canonical;
}

// Two folders never share a name; the same folder always gets the same one.
QString folderKey(const QString &folder)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(32));
}

std::unique_ptr<QLockFile> takeLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // The program runs for days: only a lock whose process is gone is stale,
    // however old it is.
    lock->setStaleLockTime(0);
    lock->tryLock(0);
    return lock;
}

} // namespace

SingleInstance::SingleInstance(const QString &appFolder)
{
    const QString folder = canonicalFolder(appFolder);
    const QString key = folderKey(folder);
    m_serverName = QStringLiteral("paxelo-memo-") + key;
    m_lock = takeLock(AppFolder::resolveCaseInsensitive(folder, QStringLiteral("Data/paxelo-memo.lock")));
    // A folder that cannot be written (a read-only medium) keeps its lock
    // among the user's temporary files.
    if (m_lock->error() == QLockFile::PermissionError || m_lock->error() == QLockFile::UnknownError)
        m_lock = takeLock(QDir::temp().filePath(QStringLiteral("paxelo-memo-%1.lock").arg(key)));
    m_isFirst = m_lock->isLocked();
    if (m_isFirst)
        listen();
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a crashed copy would refuse the name; the lock
    // proves no copy uses it any more.
    QLocalServer::removeServer(m_serverName);
    m_server->listen(m_serverName);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] { answer(); });
}

void SingleInstance::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine() || socket->readLine() != kShowRequest)
                return;
            if (m_bringToFront)
                m_bringToFront();
            else
                ++m_waitingStarts;
            socket->write(kShownAnswer);
            socket->flush();
        });
    }
}

void SingleInstance::onLaterStart(std::function<void()> bringToFront)
{
    m_bringToFront = std::move(bringToFront);
    if (m_waitingStarts > 0 && m_bringToFront) {
        m_waitingStarts = 0;
        m_bringToFront();
    }
}

bool SingleInstance::handOver(int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    // The running copy may still be starting: its socket comes up right
    // after its lock.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(int(deadline.remainingTime()))) {
            socket.write(kShowRequest);
            if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
                return false;
            while (!socket.canReadLine() && socket.waitForReadyRead(int(deadline.remainingTime()))) {
            }
            return socket.canReadLine() && socket.readLine() == kShownAnswer;
        }
        QThread::msleep(50);
    }
    return false;
}
