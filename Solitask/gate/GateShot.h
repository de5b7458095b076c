#pragma once

#include "Solitask/session/GateFace.h"

#include <QSize>
#include <QString>

class Clock;

/// Renders the gate off screen into a PNG file, the way it would look in a
/// window of `size` (full-screen form unless `compact`). Typed text and the
/// until choice are shown as given. False when the file could not be written.
namespace GateShot {

struct Scene
{
    GateFace face = GateFace::question();
    bool compact = false;
    QSize size {1440, 900};
    QString text;
};

bool write(const QString &path, const Scene &scene, const Clock &clock);

} // namespace GateShot
