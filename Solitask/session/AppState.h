#pragma once

#include "Solitask/session/AppMode.h"
#include "Solitask/session/GateFace.h"
#include "Solitask/session/SessionParts.h"
#include "Solitask/session/StripModel.h"
#include "Solitask/session/TimerSlot.h"
#include "Solitask/session/WitnessStatus.h"
#include "Solitask/witness/JudgeOutcome.h"
#include "SolitaskCore/DayRecords.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class StripPresenter;

/// The session: what the person is doing right now. It decides the mode,
/// declares and closes solitasks, witnesses the committed one (tick, capture,
/// hourly judging), reacts to sleep, wake, lock and unlock, and fills the strip.
/// Everything runs on the main thread.
class AppState : public QObject
{
    Q_OBJECT

public:
    using Mode = AppMode;

    explicit AppState(SessionParts parts, QObject *parent = nullptr);
    ~AppState() override;

    // Published fields.
    const Mode &mode() const { return m_mode; }
    const std::optional<Thing> &currentThing() const { return m_currentThing; }
    const WitnessStatus &witnessStatus() const { return m_witnessStatus; }
    int revision() const { return m_revision; }
    StripModel &strip() { return m_strip; }
    const StripModel &strip() const { return m_strip; }
    StripPresenter *stripPanel() const { return m_stripPanel.get(); }

    // Read by tests, the dry run and the journal.
    const QList<FrameMeta> &pendingFrames() const { return m_pendingFrames; }
    const QDateTime &periodStart() const { return m_periodStart; }
    const QDateTime &lastJudgeAt() const { return m_lastJudgeAt; }
    const std::optional<QDateTime> &lastCaptureAt() const { return m_lastCaptureAt; }
    const std::optional<HourRecord> &previousHour() const { return m_previousHour; }
    /// The period under way as far as it goes, while it holds any frame.
    std::optional<HourRecord> pendingPeriod() const;
    int consecutiveAway() const { return m_consecutiveAway; }
    /// Done and Switch are offered: a solitask is open, the mode allows it and
    /// no earlier close is still wrapping up.
    bool offersClose() const;
    bool booted() const { return m_booted; }
    bool isDryRun() const { return m_parts.dryRun; }
    Store &store() { return m_parts.store; }
    void setStatusGlyphHandler(std::function<void(const QString &)> handler);

    // Operations of the state machine.
    void boot();
    /// Defaults, strip and gate only: for the special runs.
    void shortenedBoot();
    void evaluateOnLaunch();
    /// The onboarding's last step: the launch evaluation, and a word in the
    /// strip when quiet hours hold the question back.
    void finishOnboarding();
    void showGateNow();
    void summon(const QString &source);
    void declare(const QString &text, const Until &until);
    void finish(Outcome outcome, std::optional<SwitchReason> reason);
    void goOffDuty(std::optional<int> minutes, const QString &reason);
    void endOffDuty();
    void settingsChanged();

    // Witnessing.
    void startTick();
    void onTick();
    void captureFrame();
    void judgePeriod(bool partial, std::function<void()> then);
    void correct(const QString &hourID, std::optional<Correction> correction);
    std::optional<QString> frameURL(const FrameMeta &frame) const;
    QVariantMap snapshot() const;

    // System events.
    void systemWillSleep();
    void systemDidWake();
    void screenLocked();
    void screenUnlocked();
    void handleReturn();
    void updateStatusGlyph();

    // Strip content.
    void refreshNotch();
    void refreshStripDetails();
    void refreshDay();

Q_SIGNALS:
    void modeChanged();
    void currentThingChanged();
    void witnessStatusChanged();
    void revisionChanged();

private:
    // Transitions (AppStateTransitions.cpp).
    void showGate(const GateFace &face);
    void showResumeOrQuestion();
    void enterCommitted(bool resuming);
    void enterQuiet();
    Thing closeCurrent(Outcome outcome, std::optional<SwitchReason> reason);
    void showCloseSummary(const Thing &closed);
    void afterClose();
    void beginNewState();
    void releaseStrip();
    void publishCloseOffer();
    void enterOffDuty(std::optional<QDateTime> until);
    void recordOffDutyStretch();
    QString resumeStats(const Thing &thing);
    void scheduleQuietBoundary();
    void handleQuietBoundary();
    void leaveQuiet();
    std::optional<QDateTime> offDutyEnd(std::optional<int> minutes) const;
    void wireGate();
    void wireSummon();
    void buildStrip();
    void openStrip();
    void holdStripOpen();

    // What a restart must find again (AppStateMemory.cpp).
    void remember();
    bool restoreFromDisk();
    void restorePeriod(const HourRecord &period, std::optional<QDateTime> lastCaptureAt);
    bool restoreOffDuty(const struct OffDutyStretch &stretch);
    void storeLeftover(HourRecord hour, const QString &error);

    // Witnessing helpers (AppStateTick.cpp).
    void judgePeriodOf(const Thing &thing, bool partial, std::function<void()> then);
    HourRecord closePeriod(const Thing &thing, bool partial);
    void receiveFrame(const FrameMeta &frame);
    void judgeCompleted(const Thing &thing, HourRecord hour, const JudgeAnswer &answer);
    void storeHour(const HourRecord &hour);
    void applyVerdict(const HourRecord &hour);
    void applyUnwitnessed(const HourRecord &hour, const JudgeFailure &failure);
    void showNudge(const QString &text, bool hold);
    void deleteIfNoRetention(const QList<FrameMeta> &frames);
    void checkDeadline();
    bool periodDue() const;
    void repairClockJump();
    void catchUpWallClockTimers();
    void writeSnapshot() const;
    QByteArray judgeInput(const Thing &thing, const QList<FrameMeta> &frames,
        const struct SwitchCounts &counts, bool partial);

    // Small setters that publish.
    void setMode(const Mode &mode);
    void setCurrentThing(const std::optional<Thing> &thing);
    void setWitnessStatus(const WitnessStatus &status);
    void bumpRevision();
    QDateTime now() const;
    bool quietNow() const;
    int usablePending() const;
    /// Wraps `action` so it does nothing once the session is gone.
    std::function<void()> guarded(std::function<void(AppState &)> action);

    SessionParts m_parts;
    StripModel m_strip;
    std::unique_ptr<StripPresenter> m_stripPanel;
    Mode m_mode = Mode::gate();
    std::optional<Thing> m_currentThing;
    WitnessStatus m_witnessStatus;
    int m_revision = 0;
    QDateTime m_periodStart;
    QList<FrameMeta> m_pendingFrames;
    std::optional<QDateTime> m_lastCaptureAt;
    QDateTime m_lastJudgeAt;
    int m_consecutiveAway = 0;
    std::optional<HourRecord> m_previousHour;
    bool m_deadlineNudged = false;
    TimerSlot m_tick;
    TimerSlot m_offDutyTimer;
    TimerSlot m_quietTimer;
    TimerSlot m_nudgeTimer;
    TimerSlot m_firstCapture;
    TimerSlot m_followUp;
    TimerSlot m_returnCheck;
    std::optional<QDateTime> m_sleptAt;
    std::optional<QDateTime> m_lockedAt;
    std::optional<QDateTime> m_wokeAt;
    std::optional<QDateTime> m_offDutySince;
    QString m_offDutyReason;
    // Periods handed to the judge and not yet answered.
    QList<HourRecord> m_judging;
    // A close waiting for its partial judgment; the token tells its follow-up
    // whether the person has moved on since.
    bool m_closing = false;
    quint64 m_closeToken = 0;
    QDateTime m_lastCleanup;
    // Wall time of the next quiet boundary; the tick checks it too, since the
    // quiet timer runs on elapsed time and misses wall-clock jumps.
    std::optional<QDateTime> m_quietBoundaryAt;
    QString m_quietHours; // the quiet-hours settings last applied
    bool m_booted = false;
    std::function<void(const QString &)> m_statusGlyphHandler;
};
