#pragma once

#include "Solitask/platform/GlobalHotKey.h"

#include <QList>

#include <memory>

class X11Connection;
typedef union _XEvent XEvent;

/// Control+Alt+O grabbed on every root window, once for each combination of
/// Caps Lock and Num Lock, so the key works whatever the lock state.
class GlobalHotKeyX11 : public GlobalHotKey
{
    Q_OBJECT

public:
    explicit GlobalHotKeyX11(std::shared_ptr<X11Connection> connection);
    ~GlobalHotKeyX11() override;

    Support support() const override;
    int registerHotKey() override;
    void unregisterHotKey() override;

private:
    void onEvent(XEvent *event);
    QList<unsigned int> modifierVariants() const;
    unsigned int numLockMask() const;
    void ungrabAll();

    std::shared_ptr<X11Connection> m_connection;
    int m_keycode = 0;
    bool m_grabbed = false;
};
