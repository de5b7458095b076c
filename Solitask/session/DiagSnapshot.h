#pragma once

#include <QDateTime>
#include <QVariantMap>

namespace Diag {

/// When the environment has SOLITASK_DIAG=1, writes `state` plus "at" as
/// pretty, key-sorted JSON to state.json beside diag.log, replacing the last one.
void snapshot(const QVariantMap &state, const QDateTime &at);

} // namespace Diag
