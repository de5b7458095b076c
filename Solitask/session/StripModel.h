#pragma once

#include "Solitask/session/StripState.h"

#include <QObject>

/// The observable strip content: views read `state()` and redraw on `changed`,
/// which fires once for every field that actually changes.
class StripModel : public QObject
{
    Q_OBJECT

public:
    using Face = StripFace;

    explicit StripModel(QObject *parent = nullptr);

    const StripState &state() const { return m_state; }

    template <typename T, typename V> void set(T StripState::*field, V &&value)
    {
        T next(std::forward<V>(value));
        if (m_state.*field == next)
            return;
        m_state.*field = std::move(next);
        Q_EMIT changed();
    }

Q_SIGNALS:
    void changed();

private:
    StripState m_state;
};
