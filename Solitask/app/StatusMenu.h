#pragma once

#include "Solitask/session/AppMode.h"
#include "SolitaskCore/DayRecords.h"

#include <optional>

class MenuTarget;
class QAction;
class QMenu;

/// The tray menu, rebuilt from the session every time it opens.
namespace StatusMenu {

/// What the menu shows depends on.
struct Situation
{
    AppMode mode;
    std::optional<Thing> currentThing;
    /// Done and Switch are offered (no close is wrapping up).
    bool closeOffered = true;
    /// Why the last change could not be written to disk, when it could not.
    QString saveProblem;
};

/// Longest solitask text shown at the top of the menu.
constexpr int thingLength = 48;

/// Empties `menu` and fills it for `situation`; items call `target`.
void rebuild(QMenu &menu, const Situation &situation, MenuTarget &target);

/// The switch item's action: its data names a switch reason; anything else does nothing.
void switchChosen(const QAction &item, MenuTarget &target);
/// The off-duty item's action: its data holds "m" (minutes, 0 for the rest of
/// the day) and "r" (the reason); with either missing nothing happens.
void offDutyChosen(const QAction &item, MenuTarget &target);

} // namespace StatusMenu
