#pragma once

#include <QString>

/// An application as the platform names it. `bundleID` is the application id
/// (a desktop-entry id or the window class on X11); `name` is its display
/// name, either may be empty.
struct RunningApp
{
    QString name;
    QString bundleID;
    qint32 pid = 0;

    bool operator==(const RunningApp &) const = default;
};
