#include "Solitask/gate/EscapeHold.h"

#include "SolitaskCore/Diag.h"

#include <QCoreApplication>
#include <QKeyEvent>

EscapeHold::EscapeHold(Scheduler &scheduler, Handlers handlers, QObject *parent)
    : QObject(parent)
    , m_escTimer(scheduler)
    , m_handlers(std::move(handlers))
{
    QCoreApplication::instance()->installEventFilter(this);
}

EscapeHold::~EscapeHold()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool EscapeHold::eventFilter(QObject *receiver, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Escape)
        return false;
    if (m_handlers.watches && !m_handlers.watches(receiver))
        return false;
    // X11 repeats a held key as release and press pairs: the key is still
    // down, so only a real press starts a hold and only a real release ends
    // it, and a hold that has bailed stays spent while the key stays down.
    if (key->isAutoRepeat())
        return true;
    if (type == QEvent::KeyPress)
        pressed();
    else
        released();
    return true;
}

void EscapeHold::pressed()
{
    if (m_escDown)
        return;
    m_escDown = true;
    m_escTimer.once(holdSeconds, [this] { fire(); });
}

void EscapeHold::released()
{
    const bool tapped = m_escDown;
    m_escDown = false;
    m_escTimer.cancel();
    if (tapped && m_handlers.onTap)
        m_handlers.onTap();
}

void EscapeHold::fire()
{
    if (!m_escDown)
        return;
    m_escDown = false;
    Diag::log(QStringLiteral("gate: bail (esc held 3 s)"));
    // A copy: answering the bail may drop this monitor.
    if (const auto bail = m_handlers.onBail)
        bail();
}
