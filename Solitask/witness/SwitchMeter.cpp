#include "Solitask/witness/SwitchMeter.h"

#include "Solitask/platform/ActiveAppSource.h"

#include <algorithm>

namespace {

double secondsBetween(const QDateTime &from, const QDateTime &to)
{
    // A wall clock set back must not make a dwell negative.
    return std::max(0.0, double(from.msecsTo(to)) / 1000.0);
}

} // namespace

SwitchMeter::SwitchMeter(ActiveAppSource &source, QString ownBundleID, const Clock &clock,
    QObject *parent)
    : QObject(parent)
    , m_source(source)
    , m_ownBundleID(std::move(ownBundleID))
    , m_clock(clock)
{
    connect(&m_source, &ActiveAppSource::activated, this, &SwitchMeter::activated);
    seed();
}

QString SwitchMeter::nameOf(const RunningApp &app)
{
    if (!app.name.isEmpty())
        return app.name;
    return app.bundleID.isEmpty() ? QStringLiteral("app") : app.bundleID;
}

void SwitchMeter::activated(const RunningApp &app)
{
    if (app.bundleID == m_ownBundleID)
        return;
    const QString name = nameOf(app);
    const QDateTime now = m_clock.now();
    if (!m_current) {
        m_current = Current {name, now};
        return;
    }
    if (m_current->name == name)
        return;
    m_dwell[m_current->name] += secondsBetween(m_current->since, now);
    ++m_switches;
    m_current = Current {name, now};
}

void SwitchMeter::seed()
{
    const std::optional<RunningApp> front = m_source.frontmost();
    if (front && front->bundleID != m_ownBundleID)
        m_current = Current {nameOf(*front), m_clock.now()};
    else
        m_current.reset();
}

SwitchCounts SwitchMeter::snapshot(const QDateTime &now)
{
    std::map<QString, double> dwell = m_dwell;
    if (m_current)
        dwell[m_current->name] += secondsBetween(m_current->since, now);
    SwitchCounts counts;
    counts.switches = m_switches;
    counts.distinctApps = qint64(dwell.size());
    for (const auto &[app, seconds] : dwell)
        counts.dwell.append({app, qint64(seconds)}); // toward zero: 59.9 s reads 59
    std::stable_sort(counts.dwell.begin(), counts.dwell.end(),
        [](const auto &a, const auto &b) { return a.seconds > b.seconds; });
    return counts;
}

void SwitchMeter::restart()
{
    m_switches = 0;
    m_dwell.clear();
    seed();
}
