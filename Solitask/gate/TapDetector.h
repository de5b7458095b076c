#pragma once

#include "Solitask/session/Clock.h"
#include "Solitask/session/SummonInput.h"
#include "Solitask/session/TimerSlot.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

class KeyEventSource;

/// A double tap of the Option (Alt) key: two presses of it alone, each
/// released within 0.35 s of going down, the second released within 0.45 s of
/// the first's release, with no other key or modifier in between.
class TapDetector : public QObject, public SummonInput
{
    Q_OBJECT

public:
    static constexpr double maxHold = 0.35;
    static constexpr double maxGap = 0.45;
    static constexpr double permissionPoll = 3.0;

    TapDetector(KeyEventSource &source, const Clock &clock, Scheduler &scheduler,
        QObject *parent = nullptr);

    /// Called on the main thread, outside the event that completed the tap.
    std::function<void()> onDoubleTap;

    /// Restarts detection, waiting for the permission to watch keys if needed.
    void start() override;
    /// Stops detection and forgets every tap in progress.
    void stop() override;
    void setHandler(std::function<void()> handler) override { onDoubleTap = std::move(handler); }

    bool armed() const { return m_armed; }
    bool waitingForPermission() const { return m_poll.isActive(); }

private:
    void arm();
    void pollPermission();
    void flagsChanged(std::uint32_t flags);
    void keyDown();
    void optionUp(const QDateTime &now);

    KeyEventSource &m_source;
    const Clock &m_clock;
    TimerSlot m_poll;
    bool m_armed = false;
    std::optional<QDateTime> m_downAt;
    std::optional<QDateTime> m_firstTapAt;
    bool m_dirty = false;
    QMetaObject::Connection m_flagsConnection;
    QMetaObject::Connection m_keyConnection;
};
