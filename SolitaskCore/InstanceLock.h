#pragma once

#include <QString>

/// The lock that makes one process the owner of a store root: an advisory
/// lock on root/solitask.lock (created 0600), which the kernel releases when
/// the process ends, so a crash never leaves a stale lock behind.
class InstanceLock
{
public:
    enum class State {
        owned, // this process holds the lock
        heldByOther, // another process holds it
        failed, // the lock file could not be opened; see problem()
    };

    explicit InstanceLock(QString root);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    /// Tries once, without waiting; holding it already answers owned.
    State acquire();
    /// Why the last acquire failed.
    const QString &problem() const { return m_problem; }
    QString path() const;

private:
    QString m_root;
    QString m_problem;
    int m_fd = -1;
};
