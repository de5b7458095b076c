#pragma once

#include "Solitask/platform/KeyEventSource.h"

#include <QHash>

#include <memory>

class X11Connection;
typedef union _XEvent XEvent;

/// Raw key events of XInput 2 on the root window: they reach us whichever
/// window has the focus, and whatever grabs other clients hold.
class KeyEventSourceXI2 : public KeyEventSource
{
    Q_OBJECT

public:
    explicit KeyEventSourceXI2(std::shared_ptr<X11Connection> connection);
    ~KeyEventSourceXI2() override;

    Support support() const override;
    bool isTrusted() override;
    void startMonitoring() override;
    void stopMonitoring() override;

private:
    void onEvent(XEvent *event);
    void select(bool raw);
    std::uint32_t modifierOf(int keycode) const;
    void pressed(int keycode);
    void released(int keycode);
    std::uint32_t heldFlags() const;

    std::shared_ptr<X11Connection> m_connection;
    int m_opcode = -1;
    bool m_monitoring = false;
    QHash<int, std::uint32_t> m_heldModifiers; // keycode -> its flag
};
