#pragma once

#include "Solitask/platform/LoginItem.h"

class LoginItemFake : public LoginItem
{
public:
    Support support() const override { return Support::yes(); }
    bool isEnabled() override { return m_enabled; }
    bool setEnabled(bool enabled) override
    {
        m_enabled = enabled;
        return true;
    }

private:
    bool m_enabled = false;
};
