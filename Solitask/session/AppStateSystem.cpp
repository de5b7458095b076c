// Sleep, wake, lock and unlock, the returns they imply, and the status glyph.
#include "Solitask/session/AppState.h"

#include "Solitask/session/GatePresenter.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/WitnessPort.h"
#include "SolitaskCore/Diag.h"

void AppState::systemWillSleep()
{
    m_sleptAt = now();
    Diag::log(QStringLiteral("system: will sleep"));
}

void AppState::systemDidWake()
{
    m_wokeAt = now();
    Diag::log(QStringLiteral("system: did wake"));
    startTick();
    m_returnCheck.once(2.0, guarded([](AppState &s) {
        if (!s.m_parts.witness.isScreenLocked())
            s.handleReturn();
    }));
}

void AppState::screenLocked()
{
    m_lockedAt = now();
    Diag::log(QStringLiteral("system: screen locked"));
}

void AppState::screenUnlocked()
{
    Diag::log(QStringLiteral("system: screen unlocked"));
    m_returnCheck.once(1.0, guarded([](AppState &s) { s.handleReturn(); }));
}

void AppState::handleReturn()
{
    std::optional<QDateTime> since = m_sleptAt;
    if (m_lockedAt && (!since || *m_lockedAt < *since))
        since = m_lockedAt;
    m_sleptAt.reset();
    m_lockedAt.reset();
    switch (m_mode.kind) {
    case Mode::Kind::offDuty:
        if (!m_mode.until || *m_mode.until <= now())
            endOffDuty();
        return;
    case Mode::Kind::onboarding:
        return;
    case Mode::Kind::gate:
        m_parts.gate.bringForward();
        return;
    case Mode::Kind::quiet:
        if (!quietNow())
            leaveQuiet();
        return;
    case Mode::Kind::committed:
        break;
    }
    if (quietNow()) {
        enterQuiet();
        return;
    }
    if (!since || !m_currentThing)
        return;
    const double away = std::max<qint64>(0, since->secsTo(now()));
    if (away >= Prefs::resumeThresholdMinutes() * 60.0)
        showGate(GateFace::resume(*m_currentThing, away, resumeStats(*m_currentThing)));
}

void AppState::updateStatusGlyph()
{
    const bool seeing = m_mode.is(Mode::Kind::committed) && m_parts.witness.canCapture();
    if (m_statusGlyphHandler)
        m_statusGlyphHandler(seeing ? QStringLiteral("\u25CF") : QStringLiteral("\u25CB"));
}
