#pragma once

#include <QString>

/// Whether a platform capability has a working backend on this session. A
/// backend that cannot do its job answers "not supported" with a reason
/// instead of pretending.
struct Support
{
    bool supported = true;
    QString reason;

    static Support yes() { return {}; }
    static Support no(const QString &why) { return {false, why}; }
};
