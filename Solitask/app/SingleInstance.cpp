#include "Solitask/app/SingleInstance.h"

#include "Solitask/app/AppInfo.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/FileSafety.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

#include <unistd.h>

namespace {
constexpr int answerMs = 1000;
constexpr int retryMs = 100;
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
    return InstanceLock(m_root).path();
}

SingleInstance::Claim SingleInstance::claim()
{
    FileSafety::makePrivateDir(m_root);
    if (const QString why = FileSafety::folderProblem(m_root); !why.isEmpty()) {
        m_problem = QStringLiteral("cannot use the data folder %1: %2").arg(m_root, why);
        Diag::log(QStringLiteral("instance: ") + m_problem);
        return Claim::failed;
    }
    m_lock = std::make_unique<InstanceLock>(m_root);
    return tryHandOver();
}

// The owner may be starting (lock taken, socket not yet listening) or ending
// (socket gone, lock about to be released): both pass within moments.
SingleInstance::Claim SingleInstance::tryHandOver()
{
    QDeadlineTimer deadline(handOverMs);
    QString why;
    for (;;) {
        switch (m_lock->acquire()) {
        case InstanceLock::State::owned:
            listen();
            return Claim::owner;
        case InstanceLock::State::failed:
            m_problem = QStringLiteral("cannot lock %1: %2").arg(m_lock->path(), m_lock->problem());
            Diag::log(QStringLiteral("instance: ") + m_problem);
            return Claim::failed;
        case InstanceLock::State::heldByOther:
            break;
        }
        if (summon(m_root, &why))
            return Claim::handedOver;
        if (deadline.hasExpired())
            break;
        QThread::msleep(retryMs);
    }
    m_lock.reset();
    m_problem = QStringLiteral("another Solitask holds %1 but did not answer on %2 (%3)")
                    .arg(lockPath(), serverName(m_root), why);
    Diag::log(QStringLiteral("instance: ") + m_problem);
    return Claim::failed;
}

bool SingleInstance::summon(const QString &root, QString *why)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(root));
    const bool sent = socket.waitForConnected(answerMs) && socket.write(summonLine) > 0
        && socket.waitForBytesWritten(answerMs);
    if (!sent && why)
        *why = socket.errorString();
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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readSummons(*socket); });
        // A quick launch may have written and gone before readyRead was connected.
        readSummons(*socket);
    }
}

void SingleInstance::readSummons(QLocalSocket &socket)
{
    // Only the one known request is honoured; anything else is dropped.
    if (!socket.canReadLine())
        return;
    if (socket.readLine(64) == summonLine && onSummon) {
        Diag::log(QStringLiteral("instance: summoned by a second launch"));
        onSummon();
    }
    socket.disconnectFromServer();
}
