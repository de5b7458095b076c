#pragma once

#include "Solitask/platform/PlatformServices.h"
#include "Solitask/platform/fake/ActiveAppSourceFake.h"
#include "Solitask/platform/fake/CameraSensorFake.h"
#include "Solitask/platform/fake/GlobalHotKeyFake.h"
#include "Solitask/platform/fake/IdleSensorFake.h"
#include "Solitask/platform/fake/KeyEventSourceFake.h"
#include "Solitask/platform/fake/LoginItemFake.h"
#include "Solitask/platform/fake/PresentationLockFake.h"
#include "Solitask/platform/fake/RunningAppsSourceFake.h"
#include "Solitask/platform/fake/ScreenCapturerFake.h"
#include "Solitask/platform/fake/ScreenPermissionFake.h"
#include "Solitask/platform/fake/SessionEventsFake.h"
#include "Solitask/platform/fake/SoundFake.h"
#include "Solitask/platform/fake/WindowTitleSourceFake.h"

/// A whole platform of fakes: `services` owns them, the typed pointers script them.
struct FakePlatform
{
    FakePlatform();

    PlatformServices services;
    ActiveAppSourceFake *activeApp;
    RunningAppsSourceFake *runningApps;
    WindowTitleSourceFake *windowTitles;
    IdleSensorFake *idle;
    SessionEventsFake *sessionEvents;
    CameraSensorFake *camera;
    ScreenCapturerFake *capturer;
    ScreenPermissionFake *screenPermission;
    GlobalHotKeyFake *hotKey;
    KeyEventSourceFake *keyEvents;
    PresentationLockFake *presentationLock;
    LoginItemFake *loginItem;
    SoundFake *sound;
};
