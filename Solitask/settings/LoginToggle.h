#pragma once

#include "Solitask/settings/SwitchToggle.h"

#include <functional>

class LoginItem;

/// Whether the application starts at login. The switch always shows the real
/// state: a change the platform refused springs back.
class LoginToggle : public SwitchToggle
{
    Q_OBJECT

public:
    LoginToggle(LoginItem *item, std::function<void()> onChange, QWidget *parent = nullptr);

private:
    LoginItem *m_item;
    std::function<void()> m_onChange;
};
