#include "Solitask/witness/JudgeFailure.h"

QString JudgeFailure::message() const
{
    switch (kind) {
    case Kind::notLoggedIn:
        return QStringLiteral("Claude Code isn't signed in: ") + payload;
    case Kind::badOutput:
        return QStringLiteral("The witness answered in an unexpected shape: ") + payload;
    case Kind::cliNotFound:
        return QStringLiteral("Claude Code wasn't found on this computer.");
    case Kind::timeout:
        return QStringLiteral("The witness took too long to answer.");
    case Kind::failed:
        break;
    }
    return payload;
}
