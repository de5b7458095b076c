#pragma once

#include <QDateTime>
#include <QList>
#include <QVariantMap>

#include <functional>

class AppState;
class Clock;
class Scheduler;
struct HourRecord;
struct Thing;

/// The scripted run behind --dry-run: declare a solitask, wait for its first
/// judged (or unwitnessed) period, finish it, and report what happened as
/// key-sorted JSON on standard output.
namespace DryRun {

inline bool enabled = false;

/// Starts the script on a booted session; `done` receives the exit status.
void start(AppState &state, Clock &clock, Scheduler &scheduler, std::function<void(int)> done);

/// The report of a finished run.
QVariantMap report(const AppState &state, const Thing *thing, const QList<HourRecord> &hours,
    bool ok, const QString &note, double seconds);

/// Builds the whole application headless around the fake platform's sample
/// frames and the real judge, runs the script and returns the exit status.
int run(int argc, char **argv);

} // namespace DryRun
