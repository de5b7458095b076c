#pragma once

#include "Solitask/platform/RunningApp.h"
#include "Solitask/session/Clock.h"
#include "Solitask/session/SwitchMeterPort.h"

#include <QObject>

#include <map>
#include <optional>

class ActiveAppSource;

/// Counts switches between apps during a witnessed period and how long each
/// app held the front. This application's own activations are not switches.
class SwitchMeter : public QObject, public SwitchMeterPort
{
    Q_OBJECT

public:
    using Snapshot = SwitchCounts;

    SwitchMeter(ActiveAppSource &source, QString ownBundleID, const Clock &clock,
        QObject *parent = nullptr);

    void activated(const RunningApp &app);
    /// `current` becomes the frontmost app as of now (none when that is us).
    void seed();
    SwitchCounts snapshot(const QDateTime &now) override;
    /// Zero counts, empty dwell, then seed.
    void restart() override;

    qint64 switches() const { return m_switches; }
    const std::map<QString, double> &dwell() const { return m_dwell; }
    /// The app's key: its name, else its id, else "app".
    static QString nameOf(const RunningApp &app);

private:
    struct Current
    {
        QString name;
        QDateTime since;
    };

    ActiveAppSource &m_source;
    QString m_ownBundleID;
    const Clock &m_clock;
    qint64 m_switches = 0;
    std::map<QString, double> m_dwell;
    std::optional<Current> m_current;
};
