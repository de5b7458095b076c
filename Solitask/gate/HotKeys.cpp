#include "Solitask/gate/HotKeys.h"

#include "Solitask/platform/GlobalHotKey.h"
#include "SolitaskCore/Diag.h"

HotKeys::HotKeys(GlobalHotKey &key, QObject *parent)
    : QObject(parent)
    , m_key(key)
{
}

void HotKeys::registerKey()
{
    unregisterKey();
    if (!m_handlerInstalled) {
        connect(&m_key, &GlobalHotKey::pressed, this, &HotKeys::pressed);
        m_handlerInstalled = true;
    }
    m_lastStatus = m_key.registerHotKey();
    if (m_lastStatus == 0) {
        m_registered = true;
        Diag::log(QStringLiteral("hotkey registered: ⌃⌥O"));
    } else {
        Diag::log(QStringLiteral("hotkey registration failed (%1)").arg(m_lastStatus));
    }
}

void HotKeys::unregisterKey()
{
    if (m_registered)
        m_key.unregisterHotKey();
    m_registered = false;
}

void HotKeys::pressed()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (onSummon)
                onSummon();
        },
        Qt::QueuedConnection);
}
