#pragma once

#include "Solitask/platform/Support.h"

#include <QObject>

#include <cstdint>

/// System-wide key presses and modifier changes, for the double tap.
class KeyEventSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// Whether the system lets this process watch the keyboard.
    virtual bool isTrusted() { return false; }
    virtual void startMonitoring() { }
    virtual void stopMonitoring() { }

Q_SIGNALS:
    /// The set of held modifiers changed (ModifierFlags bits).
    void flagsChanged(std::uint32_t flags);
    /// A key that is not a modifier went down.
    void keyDown();
};
