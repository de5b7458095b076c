#pragma once

#include "Solitask/platform/Capabilities.h"
#include "Solitask/platform/RunningApp.h"
#include "Solitask/settings/SelfTestPort.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class LoginItem;

/// What the settings and onboarding windows need beyond the preferences.
struct SettingsEnvironment
{
    /// The session's settingsChanged.
    std::function<void()> changed;
    /// Whether the gate is up (the windows then stand above it).
    std::function<bool()> gateShowing;
    /// May be null: the login row then shows off and changes nothing.
    LoginItem *loginItem = nullptr;
    /// Running regular applications; empty when the platform cannot tell.
    std::function<QList<RunningApp>()> runningApps;
    /// The display name of an application id, empty when unknown.
    std::function<QString(const QString &id)> appName;
    /// Whether the ⌥ double tap can be seen (no permission is needed on X11).
    std::function<bool()> accessibilityTrusted;
    /// What works in this session; a missing one carries what to do about it.
    QList<Capability> capabilities;
    /// This application's own id, never offered as a private app.
    QString ownID;
    /// The frame the witness would take now: `done` gets its JPEG, or an empty
    /// one and why no frame would be taken. Null where nothing can capture.
    std::function<void(std::function<void(const QByteArray &jpeg, const QString &why)> done)> peek;
    SelfTestPort selfTest;
};
