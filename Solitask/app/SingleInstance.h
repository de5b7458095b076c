#pragma once

#include "SolitaskCore/InstanceLock.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

/// One process per store root. The first takes the root's instance lock and
/// listens on a local socket; a later launch finds the lock taken, asks the
/// first to come forward through the socket, and steps aside.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Claim {
        owner,      // this process owns the root
        handedOver, // another process owns it and was summoned
        failed,     // see problem()
    };

    explicit SingleInstance(QString root, QObject *parent = nullptr);
    ~SingleInstance() override;

    Claim claim();
    /// Why the claim failed, naming the folder or the owner that did not answer.
    const QString &problem() const { return m_problem; }
    /// Called in the owner when a later launch asks for it.
    std::function<void()> onSummon;

    /// Asks the process that owns `root` to come forward; false with `why`
    /// when none answers.
    static bool summon(const QString &root, QString *why);

    /// The socket name for a root: the same for every process of this user.
    static QString serverName(const QString &root);
    QString lockPath() const;

    /// How long a later launch keeps trying while the owner starts up.
    static constexpr int handOverMs = 2500;

private:
    Claim tryHandOver();
    void listen();
    void connection();
    void readSummons(QLocalSocket &socket);

    QString m_root;
    QString m_problem;
    std::unique_ptr<InstanceLock> m_lock;
    QLocalServer m_server;
};
