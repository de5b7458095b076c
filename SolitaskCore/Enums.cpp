#include "SolitaskCore/Enums.h"

QString label(SwitchReason reason)
{
    switch (reason) {
    case SwitchReason::interrupted:
        return QStringLiteral("Interrupted");
    case SwitchReason::doneEnough:
        return QStringLiteral("Done enough");
    case SwitchReason::wrongThing:
        return QStringLiteral("Wrong thing");
    }
    return {};
}

QString label(Correction correction)
{
    switch (correction) {
    case Correction::onTask:
        return QStringLiteral("Actually on task");
    case Correction::away:
        return QStringLiteral("I was away");
    case Correction::differentThing:
        return QStringLiteral("That was a different thing");
    }
    return {};
}

QString label(SkipReason reason)
{
    switch (reason) {
    case SkipReason::privateApp:
        return QStringLiteral("private app");
    case SkipReason::camera:
        return QStringLiteral("on a call");
    case SkipReason::locked:
        return QStringLiteral("screen locked");
    case SkipReason::idle:
        return QStringLiteral("idle");
    case SkipReason::noPermission:
        return QStringLiteral("no screen permission");
    case SkipReason::failed:
        return QStringLiteral("capture failed");
    }
    return {};
}
