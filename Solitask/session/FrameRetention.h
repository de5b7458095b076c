#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

class Store;
class WitnessPort;

/// What goes when a frame's retention ends: its file, and its window title
/// from the day file.
namespace FrameRetention {

/// Files not named in `keep`; titles in the last days only, or in every day
/// when `allDays` (once at boot).
void cleanup(WitnessPort &witness, Store &store, const QSet<QString> &keep, const QDateTime &now,
    bool allDays);

} // namespace FrameRetention
