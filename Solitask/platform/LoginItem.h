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
};
