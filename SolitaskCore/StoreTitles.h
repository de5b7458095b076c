#pragma once

#include <QDateTime>
#include <QString>

class Store;

/// Window titles are kept only as long as the frames they describe.
namespace StoreTitles {

/// Clears the window title of every frame taken before `before`, in the day
/// files from `fromKey` (all when empty) to the day of `before`; the frames
/// keep their app, time and relation.
void forget(Store &store, const QDateTime &before, const QString &fromKey = {});

} // namespace StoreTitles
