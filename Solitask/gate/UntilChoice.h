#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/Until.h"

#include <QDateTime>
#include <QList>
#include <QString>

/// The ends the gate offers for a declaration, in the order of its buttons.
enum class UntilChoice { untilDone, h1, h2, h4, sixPM };

namespace UntilChoices {

/// Every choice, in button order.
const QList<UntilChoice> &all();

/// "Until done", "1 h", "2 h", "4 h", "Until 6 pm".
QString label(UntilChoice choice);

/// The record value; "Until 6 pm" is 18:00 of the present day on `calendar`,
/// even when that has passed, and an hour from now if that day has no 18:00.
Until until(UntilChoice choice, const QDateTime &now, const Calendar &calendar);

/// "Until 6 pm" is offered only while 18:00 lies more than fifteen minutes ahead.
bool isOffered(UntilChoice choice, const QDateTime &now, const Calendar &calendar);
QList<UntilChoice> offered(const QDateTime &now, const Calendar &calendar);

} // namespace UntilChoices
