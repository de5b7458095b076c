#pragma once

#include "SolitaskCore/Enums.h"

#include <QString>

#include <functional>
#include <optional>

/// The strip's buttons, wired by the session.
struct StripActions
{
    std::function<void()> onDone;
    std::function<void(SwitchReason reason)> onSwitch;
    std::function<void(std::optional<int> minutes, const QString &reason)> onOffDuty;
    std::function<void()> onJournal;
    std::function<void()> onBackToIt;
    std::function<void()> onDeclare;
    std::function<void()> onBackOnDuty;
};

/// The panel that hangs from the top of the screen and shows the strip model.
/// It alone writes the model's `expanded` field.
class StripPresenter
{
public:
    virtual ~StripPresenter() = default;

    virtual void setActions(StripActions actions) = 0;
    virtual void startHoverPoll() = 0;
    virtual void setExpanded(bool expanded) = 0;
    /// Closes and cancels the dismissal; hover polling goes on.
    virtual void collapse() = 0;
    /// Closes, cancels the dismissal and stops hover polling.
    virtual void dismiss() = 0;
    virtual void setHoldOpen(bool hold) = 0;
    virtual bool holdOpen() const = 0;
    virtual void scheduleDismiss(double seconds) = 0;
    virtual void cancelDismiss() = 0;
    /// Opens the panel, closing it after `seconds`, or holding it open without.
    virtual void presentTransient(std::optional<double> seconds) = 0;
    virtual void relayout() = 0;
    virtual void orderOut() = 0;
    virtual bool isVisible() const = 0;
};
