#pragma once

#include "Solitask/platform/LoginItem.h"

/// The login item as the settings toggle uses it: a change that fails is
/// written to the log ("LoginItem register failed: …") and still reported to
/// the caller, who shows the real state.
class LoggedLoginItem : public LoginItem
{
public:
    explicit LoggedLoginItem(LoginItem &item) : m_item(item) {}

    Support support() const override { return m_item.support(); }
    bool isEnabled() override { return m_item.isEnabled(); }
    bool setEnabled(bool enabled) override;

private:
    LoginItem &m_item;
};
