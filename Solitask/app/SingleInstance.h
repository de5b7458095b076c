#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

/// One process per store root. The first takes a lock file in the root and
/// listens on a local socket; a later launch finds the lock taken, asks the
/// first to come forward through the socket, and steps aside.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Claim {
        owner,      // this process owns the root
        handedOver, // another process owns it and was summoned
        failed,     // the root could not be locked and no owner answered
    };

    explicit SingleInstance(QString root, QObject *parent = nullptr);
    ~SingleInstance() override;

    Claim claim();
    /// Called in the owner when a later launch asks for it.
    std::function<void()> onSummon;

    /// The socket name for a root: the same for every process of this user.
    static QString serverName(const QString &root);
    QString lockPath() const;

private:
    bool summonOwner() const;
    void listen();
    void connection();

    QString m_root;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};
