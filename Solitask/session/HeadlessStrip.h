#pragma once

#include "Solitask/session/StripPresenter.h"

#include <optional>

class StripModel;

/// A strip panel without a window: it keeps the model's `expanded` field and
/// its own visibility as a panel would, and remembers dismissal requests.
class HeadlessStrip : public StripPresenter
{
public:
    explicit HeadlessStrip(StripModel &model);

    void setActions(StripActions actions) override { m_actions = std::move(actions); }
    void startHoverPoll() override { m_hoverPolling = true; }
    void setExpanded(bool expanded) override;
    void collapse() override;
    void dismiss() override;
    void setHoldOpen(bool hold) override { m_holdOpen = hold; }
    bool holdOpen() const override { return m_holdOpen; }
    void scheduleDismiss(double seconds) override { m_dismissAfter = seconds; }
    void cancelDismiss() override { m_dismissAfter.reset(); }
    void presentTransient(std::optional<double> seconds) override;
    void relayout() override { ++m_relayouts; }
    void orderOut() override { m_visible = false; }
    bool isVisible() const override { return m_visible; }

    const StripActions &actions() const { return m_actions; }
    std::optional<double> dismissAfter() const { return m_dismissAfter; }
    bool hoverPolling() const { return m_hoverPolling; }
    int relayouts() const { return m_relayouts; }

private:
    StripModel &m_model;
    StripActions m_actions;
    bool m_visible = false;
    bool m_holdOpen = false;
    bool m_hoverPolling = false;
    std::optional<double> m_dismissAfter;
    int m_relayouts = 0;
};
