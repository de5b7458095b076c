#pragma once

#include "Solitask/platform/RunningApp.h"
#include "Solitask/platform/Support.h"

#include <QList>

/// The applications that have windows now. This base has no backend: it
/// knows of none.
class RunningAppsSource
{
public:
    virtual ~RunningAppsSource() = default;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// Each running application with an id once, this application left out.
    virtual QList<RunningApp> runningApps() { return {}; }
};
