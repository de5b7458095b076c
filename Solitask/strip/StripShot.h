#pragma once

#include "Solitask/session/StripState.h"

#include <QString>

class NotchView;
class StripModel;

/// The strip's screenshot: sample content, and the open strip written to a PNG.
namespace StripShot {

/// The committed face of "Finish the pricing page" an hour and forty minutes in.
StripState sample();
/// Puts the sample into `model`, leaving its `expanded` alone.
void apply(StripModel &model);
/// Writes `view`, brought up to date, to path + "-open.png" at twice its size.
bool write(const QString &path, NotchView &view);

} // namespace StripShot
