#pragma once

#include "SolitaskCore/Calendar.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <array>
#include <optional>

/// The person's preferences, kept with QSettings in the application's own
/// domain. Values never set read as the registered defaults; keys without a
/// registered default read as false, 0 or absent. The file is read once and
/// its values kept in memory (main thread only); `reload` reads it afresh.
namespace Prefs {

namespace Key {
inline const QString cadenceMinutes = QStringLiteral("cadenceMinutes");
inline const QString frameWidth = QStringLiteral("frameWidth");
inline const QString quietStartMinutes = QStringLiteral("quietStartMinutes");
inline const QString quietEndMinutes = QStringLiteral("quietEndMinutes");
inline const QString quietWeekends = QStringLiteral("quietWeekends");
inline const QString resumeThresholdMinutes = QStringLiteral("resumeThresholdMinutes");
inline const QString insist = QStringLiteral("insist");
inline const QString stripPosition = QStringLiteral("stripPosition");
inline const QString stripOpacity = QStringLiteral("stripOpacity");
inline const QString retentionHours = QStringLiteral("retentionHours");
inline const QString witnessModel = QStringLiteral("witnessModel");
inline const QString budgetUSD = QStringLiteral("budgetUSD");
inline const QString privateBundleIDs = QStringLiteral("privateBundleIDs");
inline const QString skipWhileCamera = QStringLiteral("skipWhileCamera");
inline const QString soundOnNudge = QStringLiteral("soundOnNudge");
inline const QString notchHoverOpens = QStringLiteral("notchHoverOpens");
inline const QString doubleTapOption = QStringLiteral("doubleTapOption");
inline const QString onboardingDone = QStringLiteral("onboardingDone");
inline const QString claudePathOverride = QStringLiteral("claudePathOverride");
inline const QString lastSelfTest = QStringLiteral("lastSelfTest");
} // namespace Key

enum class WitnessModel { sonnet, economy, cliDefault };

inline constexpr std::array<WitnessModel, 3> allWitnessModels
    = {WitnessModel::sonnet, WitnessModel::economy, WitnessModel::cliDefault};

QString rawValue(WitnessModel model);
std::optional<WitnessModel> witnessModelFromRaw(const QString &raw);
/// The model argument for the judge; empty for the command line's own default.
QString judgeModel(WitnessModel model);

/// The 17 registered defaults.
QVariantMap defaults();
/// Makes `defaults()` the answer for every key the person never set.
void registerDefaults();
/// Forgets the registered defaults (tests start from a clean process state).
void unregisterDefaults();

/// Writes pending changes and reads the settings file again at its current
/// location, so changes made by another process (or another file) are seen.
void reload();

QVariant value(const QString &key);
void setValue(const QString &key, const QVariant &value);
void remove(const QString &key);

bool flag(const QString &key);
int integer(const QString &key);
double real(const QString &key);
QString text(const QString &key);

int cadenceMinutes();
int frameWidth();
int resumeThresholdMinutes();
int retentionHours();
double budgetUSD();
double stripOpacity();
WitnessModel witnessModel();

QStringList defaultPrivateBundleIDs();
QStringList privateBundleIDs();
void setPrivateBundleIDs(const QStringList &ids);

bool isQuiet(const QDateTime &at, const Calendar &calendar);
/// The next minute after `after` at which quietness changes, within a week.
std::optional<QDateTime> nextQuietBoundary(const QDateTime &after, const Calendar &calendar);

} // namespace Prefs
