#pragma once

#include "Solitask/platform/ScreenPermission.h"

class ScreenPermissionFake : public ScreenPermission
{
public:
    Support support() const override { return Support::yes(); }
    bool isGranted() override { return m_granted; }
    QString openSystemSettings() override
    {
        ++m_opened;
        return {};
    }

    void setGranted(bool granted) { m_granted = granted; }
    int opened() const { return m_opened; }

private:
    bool m_granted = true;
    int m_opened = 0;
};
