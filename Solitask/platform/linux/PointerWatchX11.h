#pragma once

#include "Solitask/platform/PointerWatch.h"

#include <QObject>

#include <memory>

class X11Connection;
typedef union _XEvent XEvent;

/// An input-only window over the area, with enter events: X says when the
/// pointer arrives and nothing wakes the process meanwhile. The window is
/// taken away as soon as the pointer is in, so clicks there reach the windows
/// below while the caller polls, and it rises again over windows stacked
/// above it while it waits.
class PointerWatchX11 : public QObject, public PointerWatch
{
public:
    explicit PointerWatchX11(std::shared_ptr<X11Connection> connection);
    ~PointerWatchX11() override;

    Support support() const override;
    void watch(const QRect &area, std::function<void()> entered) override;
    void stop() override;
    /// The input-only window, 0 before the first watch (for tests).
    unsigned long window() const { return m_window; }

private:
    bool ensureWindow();
    void onEvent(XEvent *event);

    std::shared_ptr<X11Connection> m_connection;
    unsigned long m_window = 0;
    std::function<void()> m_entered;
};
