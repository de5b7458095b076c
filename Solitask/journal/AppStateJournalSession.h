#pragma once

#include "Solitask/journal/JournalSession.h"

class AppState;

/// The journal's view of the application's session.
class AppStateJournalSession : public JournalSession
{
    Q_OBJECT

public:
    explicit AppStateJournalSession(AppState &state, QObject *parent = nullptr);

    Store &store() override;
    int revision() const override;
    void correct(const QString &hourID, std::optional<Correction> correction) override;
    std::optional<QString> frameURL(const FrameMeta &frame) const override;
    std::optional<HourRecord> pendingPeriod(const QString &thingID) const override;

private:
    AppState &m_state;
};
