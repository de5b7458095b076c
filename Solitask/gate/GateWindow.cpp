#include "Solitask/gate/GateWindow.h"

#include "Solitask/ui/Chrome.h"

#include <QCloseEvent>
#include <QScreen>

GateWindow::GateWindow(QScreen *screen, QWidget *content)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_screen(screen)
{
    setWindowTitle(QStringLiteral("Solitask"));
    setFocusPolicy(Qt::StrongFocus);
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
