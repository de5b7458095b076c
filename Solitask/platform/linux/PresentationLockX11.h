#pragma once

#include "Solitask/platform/PresentationLock.h"

#include <QPointer>
#include <QWindow>

/// Grabs the keyboard for the gate's window through Qt's own X connection (the
/// grab must belong to the client that owns the window), so that the window
/// manager's switching shortcuts do not reach it.
class PresentationLockX11 : public PresentationLock
{
public:
    Support support() const override { return Support::yes(); }
    bool engage(QWindow *window) override;
    void release() override;

private:
    QPointer<QWindow> m_window;
};
