#pragma once

#include "Solitask/platform/ActiveAppSource.h"

/// A frontmost application set by hand; `activate` also emits the event.
class ActiveAppSourceFake : public ActiveAppSource
{
    Q_OBJECT

public:
    using ActiveAppSource::ActiveAppSource;

    Support support() const override { return Support::yes(); }
    std::optional<RunningApp> frontmost() override { return m_front; }

    void setFrontmost(std::optional<RunningApp> app) { m_front = std::move(app); }
    void activate(const RunningApp &app)
    {
        m_front = app;
        Q_EMIT activated(app);
    }

private:
    std::optional<RunningApp> m_front;
};
