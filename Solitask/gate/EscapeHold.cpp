#include "Solitask/gate/EscapeHold.h"

#include "SolitaskCore/Diag.h"

#include <QCoreApplication>
#include <QKeyEvent>

EscapeHold::EscapeHold(Scheduler &scheduler, Handlers handlers, QObject *parent)
    : QObject(parent)
    , m_escTimer(scheduler)
    , m_releaseTimer(scheduler)
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
    if (m_escDown) {
        // The press of a repeat pair whose release came alone: still held.
        m_releasePending = false;
        m_releaseTimer.cancel();
        return;
    }
    m_escDown = true;
    m_escTimer.once(holdSeconds, [this] { fire(); });
}

// A busy client can read a repeat's release before its press has arrived and
// take it for a real one: a release only counts once no press follows it
// within a moment.
void EscapeHold::released()
{
    if (!m_escDown || m_releasePending)
        return;
    m_releasePending = true;
    m_releaseTimer.once(releaseGraceSeconds, [this] { letGo(); });
}

void EscapeHold::letGo()
{
    m_releasePending = false;
    m_escDown = false;
    m_escTimer.cancel();
    if (const auto tap = m_handlers.onTap)
        tap();
}

void EscapeHold::fire()
{
    if (!m_escDown)
        return;
    if (m_releasePending) {
        m_escTimer.once(releaseGraceSeconds, [this] { fire(); });
        return;
    }
    m_escDown = false;
    Diag::log(QStringLiteral("gate: bail (esc held 3 s)"));
    // A copy: answering the bail may drop this monitor.
    if (const auto bail = m_handlers.onBail)
        bail();
}
