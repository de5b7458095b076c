#include "Solitask/gate/UntilChoice.h"

#include <QTime>

namespace UntilChoices {

namespace {
// How far ahead 18:00 must lie for "Until 6 pm" to be offered.
constexpr qint64 sixPMMarginSeconds = 900;

QDateTime sixPM(const QDateTime &now, const Calendar &calendar)
{
    const auto at = calendar.instant(calendar.date(now), QTime(18, 0));
    return at ? *at : now.addSecs(3600);
}
} // namespace

const QList<UntilChoice> &all()
{
    static const QList<UntilChoice> choices {UntilChoice::untilDone, UntilChoice::h1,
        UntilChoice::h2, UntilChoice::h4, UntilChoice::sixPM};
    return choices;
}

QString label(UntilChoice choice)
{
    switch (choice) {
    case UntilChoice::untilDone:
        return QStringLiteral("Until done");
    case UntilChoice::h1:
        return QStringLiteral("1 h");
    case UntilChoice::h2:
        return QStringLiteral("2 h");
    case UntilChoice::h4:
        return QStringLiteral("4 h");
    case UntilChoice::sixPM:
        return QStringLiteral("Until 6 pm");
    }
    return {};
}

Until until(UntilChoice choice, const QDateTime &now, const Calendar &calendar)
{
    switch (choice) {
    case UntilChoice::untilDone:
        return Until::untilDone();
    case UntilChoice::h1:
        return Until::hours(1.0);
    case UntilChoice::h2:
        return Until::hours(2.0);
    case UntilChoice::h4:
        return Until::hours(4.0);
    case UntilChoice::sixPM:
        return Until::at(sixPM(now, calendar));
    }
    return Until::untilDone();
}

bool isOffered(UntilChoice choice, const QDateTime &now, const Calendar &calendar)
{
    if (choice != UntilChoice::sixPM)
        return true;
    return now.secsTo(sixPM(now, calendar)) > sixPMMarginSeconds;
}

QList<UntilChoice> offered(const QDateTime &now, const Calendar &calendar)
{
    QList<UntilChoice> out;
    for (UntilChoice choice : all())
        if (isOffered(choice, now, calendar))
            out.append(choice);
    return out;
}

} // namespace UntilChoices
