#include "Solitask/journal/AppStateJournalSession.h"

#include "Solitask/session/AppState.h"

AppStateJournalSession::AppStateJournalSession(AppState &state, QObject *parent)
    : JournalSession(parent)
    , m_state(state)
{
    connect(&state, &AppState::revisionChanged, this, &JournalSession::revisionChanged);
}

Store &AppStateJournalSession::store()
{
    return m_state.store();
}

int AppStateJournalSession::revision() const
{
    return m_state.revision();
}

void AppStateJournalSession::correct(const QString &hourID, std::optional<Correction> correction)
{
    m_state.correct(hourID, correction);
}

std::optional<QString> AppStateJournalSession::frameURL(const FrameMeta &frame) const
{
    return m_state.frameURL(frame);
}

std::optional<HourRecord> AppStateJournalSession::pendingPeriod(const QString &thingID) const
{
    std::optional<HourRecord> period = m_state.pendingPeriod();
    return period && period->thingID == thingID ? period : std::nullopt;
}
