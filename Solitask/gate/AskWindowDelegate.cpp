#include "Solitask/gate/AskWindowDelegate.h"

#include <QEvent>

AskWindowDelegate::AskWindowDelegate(std::function<void()> onClose, QObject *parent)
    : QObject(parent)
    , m_onClose(std::move(onClose))
{
}

void AskWindowDelegate::watch(QObject *window)
{
    window->installEventFilter(this);
}

bool AskWindowDelegate::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Close && m_onClose)
        m_onClose();
    return false;
}
