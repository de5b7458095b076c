#include "Solitask/platform/linux/PresentationLockX11.h"

bool PresentationLockX11::engage(QWindow *window)
{
    release();
    if (!window || !window->isVisible())
        return false;
    if (!window->setKeyboardGrabEnabled(true))
        return false;
    m_window = window;
    return true;
}

void PresentationLockX11::release()
{
    if (m_window)
        m_window->setKeyboardGrabEnabled(false);
    m_window.clear();
}
