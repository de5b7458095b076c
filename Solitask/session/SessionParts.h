#pragma once

#include <functional>
#include <memory>

class Clock;
class Scheduler;
class Store;
class WitnessPort;
class SwitchMeterPort;
class JudgePort;
class GatePresenter;
class StripPresenter;
class StripModel;
class WindowPresenter;
class SystemEventSource;
class SummonInput;

/// Everything the session talks to, built by the application (or a test) and
/// handed in; the session owns none of them.
struct SessionParts
{
    Clock &clock;
    Scheduler &scheduler;
    Store &store;
    WitnessPort &witness;
    SwitchMeterPort &switchMeter;
    JudgePort &judge;
    GatePresenter &gate;
    /// Builds the strip panel around the session's model (once, at boot).
    std::function<std::unique_ptr<StripPresenter>(StripModel &)> makeStripPanel;
    WindowPresenter &journal;
    WindowPresenter &onboarding;
    SystemEventSource &system;
    SummonInput &hotKeys;
    SummonInput &tapDetector;
    /// Plays the soft nudge sound; may be empty.
    std::function<void()> playNudgeSound;
    /// Ends the process after a bail; may be empty.
    std::function<void()> terminate;
    /// Dry-run mode: fast tick and cadence, sample frames, no gate.
    bool dryRun = false;
};
