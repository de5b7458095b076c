#include "Solitask/settings/SettingsRules.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace SettingsRules {

int nearestChoice(int stored, const QList<int> &choices)
{
    if (choices.isEmpty())
        return 24;
    int best = choices.first();
    for (int choice : choices) {
        if (std::llabs(qint64(choice) - stored) < std::llabs(qint64(best) - stored))
            best = choice;
    }
    return best;
}

double clampedBudget(double value)
{
    if (!std::isfinite(value))
        return budgetMin;
    return std::round(std::clamp(value, budgetMin, budgetMax) * 100) / 100;
}

QString budgetText(double value)
{
    return QString::asprintf("$%.2f", value);
}

QString cadenceText(int minutes)
{
    const int m = std::max(1, minutes);
    return QStringLiteral("At %1 minutes the witness sees %2 frames an hour.").arg(m).arg(60 / m);
}

QString appCount(qsizetype n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" app") : QStringLiteral(" apps"));
}

QList<RunningApp> addableApps(const QList<RunningApp> &running, const QStringList &privateIDs,
                              const QString &ownID)
{
    QSet<QString> seen(privateIDs.begin(), privateIDs.end());
    seen.insert(ownID);
    QList<RunningApp> apps;
    for (RunningApp app : running) {
        if (app.bundleID.isEmpty() || seen.contains(app.bundleID))
            continue;
        seen.insert(app.bundleID);
        if (app.name.isEmpty())
            app.name = app.bundleID;
        apps.append(app);
    }
    std::sort(apps.begin(), apps.end(), [](const RunningApp &a, const RunningApp &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return apps;
}

} // namespace SettingsRules
