#pragma once

#include "Solitask/platform/Support.h"

#include <QObject>

/// The system-wide hot key Control+Option(Alt)+O.
class GlobalHotKey : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    /// Status of a registration that has no backend at all.
    static constexpr int unsupportedStatus = -1;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// Takes the key; 0 on success, otherwise a non-zero status (on X11 the X
    /// error code, 10 when another program holds the key).
    virtual int registerHotKey() { return unsupportedStatus; }
    virtual void unregisterHotKey() { }

Q_SIGNALS:
    void pressed();
};
