#include "Solitask/session/FrameRetention.h"

#include "Solitask/session/Prefs.h"
#include "Solitask/session/WitnessPort.h"
#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/Store.h"
#include "SolitaskCore/StoreTitles.h"

void FrameRetention::cleanup(WitnessPort &witness, Store &store, const QSet<QString> &keep,
    const QDateTime &now, bool allDays)
{
    const int hours = Prefs::retentionHours();
    witness.cleanup(hours, keep, now);
    const QDateTime cutoff = now.addSecs(-qint64(hours) * 3600);
    // Hour records land in the day they started, which can be the day before a frame.
    const QString fromKey = allDays ? QString() : DayKey::key(cutoff.addDays(-2), store.calendar());
    StoreTitles::forget(store, cutoff, fromKey);
}
