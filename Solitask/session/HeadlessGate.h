#pragma once

#include "Solitask/session/GatePresenter.h"

#include <QStringList>

/// A gate without a window: remembers what it was asked, so the session runs
/// (and is tested) headless. `callbacks()` lets a caller answer as a person would.
class HeadlessGate : public GatePresenter
{
public:
    void show(const GateFace &face, bool insist) override;
    void hide() override;
    void bringForward() override;
    bool isShowing() const override { return m_showing; }
    bool insisting() const override { return m_insist; }
    GateFace face() const override { return m_face; }
    void setCallbacks(GateCallbacks callbacks) override { m_callbacks = std::move(callbacks); }

    const GateCallbacks &callbacks() const { return m_callbacks; }
    bool insist() const { return m_insist; }
    /// "show question", "show resume", "hide", "forward", in order.
    const QStringList &calls() const { return m_calls; }

private:
    GateCallbacks m_callbacks;
    GateFace m_face;
    bool m_showing = false;
    bool m_insist = true;
    QStringList m_calls;
};
