#pragma once

#include "Solitask/session/GateFace.h"
#include "SolitaskCore/Until.h"

#include <QString>

#include <functional>
#include <optional>

/// The gate's answers. The session wires them; showing or hiding the gate never
/// changes the session's mode by itself.
struct GateCallbacks
{
    std::function<void(const QString &text, const Until &until)> onDeclare;
    std::function<void()> onResume;
    std::function<void()> onDone;
    std::function<void()> onSomethingNew;
    /// Minutes: none for the rest of the day, negative until the next unlock.
    std::function<void(std::optional<int> minutes, const QString &reason)> onOffDuty;
    std::function<void()> onBail;
    std::function<void()> onAskWindowClosed;
};

/// The declaration gate as the session sees it.
class GatePresenter
{
public:
    virtual ~GatePresenter() = default;

    virtual void show(const GateFace &face, bool insist) = 0;
    virtual void hide() = 0;
    virtual void bringForward() = 0;
    virtual bool isShowing() const = 0;
    /// Whether the current (or last) showing is the full-screen form.
    virtual bool insisting() const = 0;
    /// The face shown last.
    virtual GateFace face() const = 0;
    virtual void setCallbacks(GateCallbacks callbacks) = 0;
};
