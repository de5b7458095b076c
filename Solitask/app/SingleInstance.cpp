#include "Solitask/app/SingleInstance.h"

#include "Solitask/app/AppInfo.h"
#include "SolitaskCore/Diag.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

#include <unistd.h>

namespace {
constexpr int answerMs = 2000;
const QByteArray summonLine = QByteArrayLiteral("summon\n");
} // namespace

SingleInstance::SingleInstance(QString root, QObject *parent)
    : QObject(parent)
    , m_root(std::move(root))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString &root)
{
    const QString canonical = QFileInfo(root).absoluteFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("%1-%2-%3")
        .arg(AppInfo::id())
        .arg(::getuid())
        .arg(QString::fromLatin1(hash));
}

QString SingleInstance::lockPath() const
{
    return QDir(m_root).filePath(QStringLiteral("solitask.lock"));
}

SingleInstance::Claim SingleInstance::claim()
{
    QDir().mkpath(m_root);
    m_lock = std::make_unique<QLockFile>(lockPath());
    // A lock left by a process that died is recognised as stale and taken over.
    if (m_lock->tryLock(0)) {
        listen();
        return Claim::owner;
    }
    const bool lockedByOther = m_lock->error() == QLockFile::LockFailedError;
    m_lock.reset();
    if (lockedByOther && summonOwner())
        return Claim::handedOver;
    Diag::log(QStringLiteral("instance: cannot own ") + m_root);
    return Claim::failed;
}

bool SingleInstance::summonOwner() const
{
    QLocalSocket socket;
    socket.connectToServer(serverName(m_root));
    if (!socket.waitForConnected(answerMs))
        return false;
    socket.write(summonLine);
    const bool sent = socket.waitForBytesWritten(answerMs);
    socket.disconnectFromServer();
    return sent;
}

void SingleInstance::listen()
{
    const QString name = serverName(m_root);
    // We hold the lock, so a socket file left behind belongs to a dead owner.
    QLocalServer::removeServer(name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(name)) {
        Diag::log(QStringLiteral("instance: cannot listen: ") + m_server.errorString());
        return;
    }
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::connection);
}

void SingleInstance::connection()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Only the one known request is honoured; anything else is dropped.
            if (!socket->canReadLine())
                return;
            if (socket->readLine(64) == summonLine && onSummon) {
                Diag::log(QStringLiteral("instance: summoned by a second launch"));
                onSummon();
            }
            socket->disconnectFromServer();
        });
    }
}
