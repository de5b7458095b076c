#include "Solitask/gate/GateWindow.h"

#include "Solitask/ui/Chrome.h"
#include "Solitask/ui/Stacking.h"

#include <QCloseEvent>
#include <QScreen>

GateWindow::GateWindow(QScreen *screen, QWidget *content)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_screen(screen)
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
    showFullScreen();
    raise();
}

void GateWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
