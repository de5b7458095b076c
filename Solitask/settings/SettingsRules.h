#pragma once

#include "Solitask/platform/RunningApp.h"

#include <QList>
#include <QString>
#include <QStringList>

/// The rules behind the settings controls, apart from the widgets.
namespace SettingsRules {

inline const QList<int> resumeChoices = {5, 10, 20, 30, 60};
inline const QList<int> retentionChoices = {0, 24, 168};
inline constexpr double budgetMin = 0.10;
inline constexpr double budgetMax = 1.00;

/// The choice nearest to `stored` (the first of equally near ones; 24 when
/// there are no choices).
int nearestChoice(int stored, const QList<int> &choices);
/// The quota shown and written: within 0.10…1.00, in whole cents.
double clampedBudget(double value);
/// "$0.40".
QString budgetText(double value);
/// "At 3 minutes the witness sees 20 frames an hour." for the chosen cadence.
QString cadenceText(int minutes);
/// "1 app", "0 apps", "12 apps".
QString appCount(qsizetype n);
/// Running regular applications that could be made private: with an id, not
/// this application, not already private, each id once, sorted by name.
QList<RunningApp> addableApps(const QList<RunningApp> &running, const QStringList &privateIDs,
                              const QString &ownID);

} // namespace SettingsRules
