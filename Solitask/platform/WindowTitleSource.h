#pragma once

#include "Solitask/platform/Support.h"

#include <QString>

/// Titles of windows.
class WindowTitleSource
{
public:
    virtual ~WindowTitleSource() = default;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// Title of the frontmost titled normal window of `pid`, or empty.
    virtual QString windowTitle(qint32 /*pid*/) { return {}; }
    /// Title of the active window itself, or empty.
    virtual QString activeWindowTitle() { return {}; }
};
