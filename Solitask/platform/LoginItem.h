#pragma once

#include "Solitask/platform/Support.h"

/// Starting the application when the person logs in.
class LoginItem
{
public:
    virtual ~LoginItem() = default;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    virtual bool isEnabled() { return false; }
    /// Answers whether the change was made.
    virtual bool setEnabled(bool /*enabled*/) { return false; }
    /// Points an enabled item at the running installation when it names
    /// another one; answers whether the item is now current.
    virtual bool refresh() { return true; }
};
