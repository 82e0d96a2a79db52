#include "app/singleinstance.h"

#include "files/appfolder.h"
#include "platform/folderlock.h"
#include "platform/processuser.h"
#include "widgets/dialogs.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <cstdio>

namespace {

const QByteArray kShowRequest = "show\n";
const QByteArray kShownAnswer = "shown\n";
// Where the file systems cannot lock a folder, this file in Data/ is held.
const QString kLockFile = QStringLiteral("Data/paxelo-memo.lock");

// A copy that holds the folder listens right after it took it: a later start
// that cannot reach its socket in this time finds none. One that was reached
// answers once its window is made, which a large page or a slow disk delays.
constexpr int kConnectMs = 2000;
constexpr int kAnswerMs = 20000;

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

} // namespace

SingleInstance::SingleInstance(const QString &appFolder)
    : m_folder(canonicalFolder(appFolder))
    , m_serverName(privateSocketName(QStringLiteral("paxelo-memo-") + folderKey(m_folder)))
    , m_lock(std::make_unique<FolderLock>(m_folder, AppFolder::resolveCaseInsensitive(m_folder, kLockFile)))
{
    if (isFirst())
        listen();
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::isFirst() const
{
    return m_lock->state() == FolderLock::State::Held;
}

void SingleInstance::listen()
{
    // Without a private place for the socket the folder is still held; a
    // later start then says so instead of bringing this window up.
    if (m_serverName.isEmpty())
        return;
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

bool SingleInstance::handOver() const
{
    if (m_lock->state() != FolderLock::State::HeldElsewhere || m_serverName.isEmpty())
        return false;
    const QDeadlineTimer connecting(kConnectMs);
    // The running copy may still be starting: its socket comes up right
    // after its lock.
    while (!connecting.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(int(connecting.remainingTime()))) {
            const QDeadlineTimer answering(kAnswerMs);
            socket.write(kShowRequest);
            if (!socket.waitForBytesWritten(int(answering.remainingTime())))
                return false;
            while (!socket.canReadLine() && socket.waitForReadyRead(int(answering.remainingTime()))) {
            }
            return socket.canReadLine() && socket.readLine() == kShownAnswer;
        }
        QThread::msleep(50);
    }
    return false;
}

QString SingleInstance::whyNotStarted() const
{
    const QString folder = QDir::toNativeSeparators(m_folder);
    if (m_lock->state() == FolderLock::State::Failed) {
        const QString path = QDir::toNativeSeparators(m_lock->failedPath());
        const QString remedy = m_lock->failedPath() == m_folder
                                   ? QStringLiteral("请确认可以读取文件夹 %1，然后再启动。").arg(path)
                                   : QStringLiteral("请删除 %1，然后再启动。").arg(path);
        return QStringLiteral("Paxelo备忘录没有启动：无法锁定 %1（%2），不能确定是否已有一个 Paxelo备忘录在使用文件夹 %3。%4")
            .arg(path, m_lock->failure(), folder, remedy);
    }
    const QString holder = m_lock->holder() > 0 ? QStringLiteral("另一个程序（进程 %1）").arg(m_lock->holder())
                                                : QStringLiteral("另一个程序");
    return QStringLiteral("Paxelo备忘录没有启动：%1正在使用文件夹 %2，但没有应答。请关闭或结束它，然后再启动 Paxelo备忘录。")
        .arg(holder, folder);
}

int endLaterStart(const SingleInstance &instance)
{
    if (instance.handOver())
        return 0;
    const QString why = instance.whyNotStarted();
    // Said on the terminal as well, for a start from a shell or a script.
    std::fprintf(stderr, "%s\n", why.toLocal8Bit().constData());
    Dialogs::instance().message(nullptr, why);
    return 1;
}
