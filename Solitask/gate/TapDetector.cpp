#include "Solitask/gate/TapDetector.h"

#include "Solitask/platform/KeyEventSource.h"
#include "Solitask/platform/ModifierFlags.h"
#include "SolitaskCore/Diag.h"

namespace {

double secondsBetween(const QDateTime &from, const QDateTime &to)
{
    return double(from.msecsTo(to)) / 1000.0;
}

} // namespace

TapDetector::TapDetector(
    KeyEventSource &source, const Clock &clock, Scheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_source(source)
    , m_clock(clock)
    , m_poll(scheduler)
{
}

void TapDetector::start()
{
    stop();
    if (m_source.isTrusted())
        arm();
    else
        m_poll.repeating(permissionPoll, [this] { pollPermission(); });
}

void TapDetector::pollPermission()
{
    if (!m_source.isTrusted())
        return;
    m_poll.cancel();
    arm();
}

void TapDetector::arm()
{
    m_flagsConnection
        = connect(&m_source, &KeyEventSource::flagsChanged, this, &TapDetector::flagsChanged);
    m_keyConnection = connect(&m_source, &KeyEventSource::keyDown, this, &TapDetector::keyDown);
    m_source.startMonitoring();
    m_armed = true;
    Diag::log(QStringLiteral("double-tap ⌥ armed"));
}

void TapDetector::stop()
{
    m_poll.cancel();
    if (m_armed)
        m_source.stopMonitoring();
    disconnect(m_flagsConnection);
    disconnect(m_keyConnection);
    m_armed = false;
    m_downAt.reset();
    m_firstTapAt.reset();
    m_dirty = false;
}

void TapDetector::keyDown()
{
    m_dirty = true;
    m_firstTapAt.reset();
}

void TapDetector::flagsChanged(std::uint32_t flags)
{
    const QDateTime now = m_clock.now();
    const bool optionDown = flags & ModifierFlags::option;
    if (flags & ModifierFlags::others) {
        m_dirty = true;
        m_firstTapAt.reset();
        if (!optionDown)
            m_downAt.reset();
        return;
    }
    if (optionDown) {
        if (!m_downAt) {
            m_downAt = now;
            m_dirty = false;
        }
        return;
    }
    optionUp(now);
}

void TapDetector::optionUp(const QDateTime &now)
{
    if (!m_downAt)
        return;
    const double held = secondsBetween(*m_downAt, now);
    m_downAt.reset();
    if (m_dirty || held > maxHold) {
        m_firstTapAt.reset();
        return;
    }
    if (m_firstTapAt && secondsBetween(*m_firstTapAt, now) <= maxGap) {
        m_firstTapAt.reset();
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (onDoubleTap)
                    onDoubleTap();
            },
            Qt::QueuedConnection);
        return;
    }
    m_firstTapAt = now;
}
