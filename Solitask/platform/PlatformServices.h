#pragma once

#include "Solitask/platform/ActiveAppSource.h"
#include "Solitask/platform/CameraSensor.h"
#include "Solitask/platform/GlobalHotKey.h"
#include "Solitask/platform/IdleSensor.h"
#include "Solitask/platform/KeyEventSource.h"
#include "Solitask/platform/LoginItem.h"
#include "Solitask/platform/PointerWatch.h"
#include "Solitask/platform/PresentationLock.h"
#include "Solitask/platform/RunningAppsSource.h"
#include "Solitask/platform/ScreenCapturer.h"
#include "Solitask/platform/ScreenPermission.h"
#include "Solitask/platform/SessionBackends.h"
#include "Solitask/platform/SessionEvents.h"
#include "Solitask/platform/Sound.h"
#include "Solitask/platform/StripOverlay.h"
#include "Solitask/platform/WindowTitleSource.h"

#include <memory>

/// This application as the platform should know it.
struct PlatformIdentity
{
    RunningApp app; // name and application id of our own windows
    QString executable; // started at login
};

/// Every platform service the application uses, one object per capability.
/// A slot never stays empty: a capability without a backend holds the base
/// class, which answers "not supported".
struct PlatformServices
{
    std::unique_ptr<ActiveAppSource> activeApp;
    std::unique_ptr<RunningAppsSource> runningApps;
    std::unique_ptr<WindowTitleSource> windowTitles;
    std::unique_ptr<IdleSensor> idle;
    std::unique_ptr<SessionEvents> sessionEvents;
    std::unique_ptr<CameraSensor> camera;
    std::unique_ptr<ScreenCapturer> capturer;
    std::unique_ptr<ScreenPermission> screenPermission;
    std::unique_ptr<GlobalHotKey> hotKey;
    std::unique_ptr<KeyEventSource> keyEvents;
    std::unique_ptr<PresentationLock> presentationLock;
    std::unique_ptr<PointerWatch> pointerWatch;
    std::unique_ptr<StripOverlay> stripOverlay;
    std::unique_ptr<LoginItem> loginItem;
    std::unique_ptr<Sound> sound;
    /// Which backend answers for what in this session; none for fakes.
    BackendChoice choice;

    /// The backends that work in this session (X11, D-Bus, /proc, XDG), and
    /// one log line for each capability left without one.
    static PlatformServices forThisSession(const PlatformIdentity &identity);

    /// Puts the "not supported" base into every empty slot.
    void fillGaps();
    /// One line per capability whose backend says it is not supported.
    QStringList unsupported() const;
};
