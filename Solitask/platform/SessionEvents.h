#pragma once

#include "Solitask/platform/Support.h"

#include <QObject>

/// Sleep, wake and the screen lock. Each event has its own signal; they are
/// never folded into one.
class SessionEvents : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    virtual bool isScreenLocked() { return false; }

Q_SIGNALS:
    void locked();
    void unlocked();
    void willSleep();
    void didWake();
};
