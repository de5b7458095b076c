#include "Solitask/gate/GateMirror.h"

#include "Solitask/gate/GateWindow.h"
#include "Solitask/platform/PresentationLock.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

GateMirror::GateMirror(Scheduler &scheduler, PresentationLock &lock, QObject *parent)
    : QObject(parent)
    , m_lock(lock)
    , m_next(scheduler)
{
}

void GateMirror::watch(const QList<GateWindow *> &windows)
{
    stop();
    for (GateWindow *window : windows) {
        window->installEventFilter(this);
        m_windows.append(window);
    }
    holdFocus();
    presentAll();
}

void GateMirror::stop()
{
    m_next.cancel();
    for (const QPointer<GateWindow> &window : std::as_const(m_windows)) {
        if (window)
            window->removeEventFilter(this);
    }
    m_windows.clear();
}

// A repaint of any part of a window reaches its top level as one update
// request; the picture is taken a moment later, after the repaint.
bool GateMirror::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::UpdateRequest && !m_next.isActive())
        m_next.once(intervalSeconds, [this] { presentAll(); });
    // The windows beneath lose the focus to the lock's surfaces, which hand
    // them the keys: they stay active, with a caret in the field.
    if (event->type() == QEvent::WindowDeactivate)
        QMetaObject::invokeMethod(this, &GateMirror::holdFocus, Qt::QueuedConnection);
    return false;
}

void GateMirror::holdFocus()
{
    if (m_windows.isEmpty() || !m_windows.first())
        return;
    QApplication::setActiveWindow(m_windows.first());
}

void GateMirror::presentAll()
{
    // Each for the screen it was made for: the compositor may have put the
    // window itself elsewhere.
    for (const QPointer<GateWindow> &window : std::as_const(m_windows)) {
        if (window && window->windowHandle())
            m_lock.present(
                window->windowHandle(), window->targetScreen(), window->grab().toImage());
    }
}
