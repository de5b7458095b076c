#pragma once

#include "Solitask/settings/SettingsEnvironment.h"

#include <functional>

class ScreenPermission;

/// What the onboarding needs: the settings' environment, the capture
/// permission and the session's decision of what to show next.
struct OnboardingEnvironment
{
    SettingsEnvironment settings;
    /// May be null: capture then counts as impossible.
    ScreenPermission *permission = nullptr;
    /// The session's evaluateOnLaunch.
    std::function<void()> evaluateOnLaunch;
};
