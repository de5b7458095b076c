#include "Solitask/gate/GateWindow.h"

#include "Solitask/ui/Chrome.h"
#include "Solitask/ui/Stacking.h"

#include <QCloseEvent>
#include <QScreen>

namespace {

// Beneath the lock: unmanaged and typed as a utility, which XWayland's
// window manager never hands the keyboard to, so the lock keeps it.
Qt::WindowFlags gateFlags(bool beneathLock)
{
    const Qt::WindowFlags common = Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    return beneathLock ? common | Qt::Tool | Qt::X11BypassWindowManagerHint : common | Qt::Window;
}

} // namespace

GateWindow::GateWindow(QScreen *screen, QWidget *content, bool beneathLock)
    : QWidget(nullptr, gateFlags(beneathLock))
    , m_screen(screen)
    , m_beneathLock(beneathLock)
{
    setWindowTitle(QStringLiteral("Solitask"));
    Stacking::assign(this, Stacking::Layer::gate);
    setFocusPolicy(Qt::NoFocus);
    setScreen(screen);
    setGeometry(screen->geometry());
    Chrome::host(content, this);
}

void GateWindow::cover()
{
    setGeometry(m_screen->geometry());
    // A window manager puts every full-screen window on the output it
    // chooses: a gate for another screen would take that screen's size.
    if (m_beneathLock)
        show();
    else
        showFullScreen();
    raise();
}

void GateWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
