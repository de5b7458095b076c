#pragma once

#include "SolitaskCore/JudgeProtocol.h"

#include <QDateTime>
#include <QList>

/// Switch figures of a period so far.
struct SwitchCounts
{
    qint64 switches = 0;
    qint64 distinctApps = 0;
    QList<JudgeProtocol::DwellEntry> dwell;
};

/// The app-switch counter as the session uses it.
class SwitchMeterPort
{
public:
    virtual ~SwitchMeterPort() = default;

    virtual SwitchCounts snapshot(const QDateTime &now) = 0;
    /// Forgets the counts and starts again from the frontmost app.
    virtual void restart() = 0;
};
