#pragma once

#include "Solitask/platform/ScreenPermission.h"

#include <memory>

class X11Connection;

/// X11 asks no permission: a display we could open counts as granted for the
/// session. A lost connection later shows as failed captures, not as a
/// withdrawn permission.
class ScreenPermissionX11 : public ScreenPermission
{
public:
    explicit ScreenPermissionX11(std::shared_ptr<X11Connection> connection);

    Support support() const override { return Support::yes(); }
    bool isGranted() override { return m_connection != nullptr; }
    QString openSystemSettings() override;

private:
    std::shared_ptr<X11Connection> m_connection;
};
