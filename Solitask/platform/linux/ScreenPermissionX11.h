#pragma once

#include "Solitask/platform/ScreenPermission.h"

#include <memory>

class X11Connection;

/// X11 asks no permission: a display we could open counts as granted for the
/// session, unless its pixels cannot be read (a colour-palette screen); the
/// reason then says so. A lost connection later shows as failed captures, not
/// as a withdrawn permission.
class ScreenPermissionX11 : public ScreenPermission
{
public:
    explicit ScreenPermissionX11(std::shared_ptr<X11Connection> connection);

    Support support() const override;
    bool isGranted() override { return support().supported; }
    QString openSystemSettings() override;

private:
    std::shared_ptr<X11Connection> m_connection;
};
