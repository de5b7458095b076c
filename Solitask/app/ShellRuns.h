#pragma once

#include <QStringList>

/// The application's runs other than the self-test and the dry run: the
/// tray application itself, the window check, the gate preview and the strip
/// and gate screenshots.
namespace ShellRuns {

/// Creates the application object, runs the chosen mode and returns the exit status.
int run(int argc, char **argv, const QStringList &args);

/// Asks the running instance to summon the strip or the gate: 0 when it
/// answered, 1 when none runs.
int summon(int argc, char **argv);

/// Seconds after launch at which the special runs act.
constexpr double windowCheckDelay = 0.5;
constexpr double windowCheckReport = 1.5;
constexpr double previewSeconds = 6.0;
constexpr double stripShotDelay = 0.8;

} // namespace ShellRuns
